// Init of the screen over 10,000 entities and 10,000 rubrics, headless and shown by the Qt views
// (on Qt's offscreen platform unless told otherwise), beside its floors: the same two selections
// in raw SQLite, and the same six Qt combo boxes filled directly with the same texts.
#include <QApplication>
#include <QComboBox>
#include <QStandardItemModel>
#include <QStringList>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchControl.h"
#include "control/Ctr_Ostrevan.h"
#include "platform/mvdb/DynArray.h"
#include "platform/qt/SurfaceWidget.h"

namespace {

using bench::benchDatabase;
using bench::handedIn;

void BM_Init_Headless(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto control = handedIn();
        state.ResumeTiming();
        control->Init();
        state.PauseTiming();
        control.reset();
        state.ResumeTiming();
    }
}

void BM_Init_Qt(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto control = handedIn();
        auto view = std::make_unique<qtview::SurfaceWidget>(*control);
        view->show();
        QApplication::processEvents();
        state.ResumeTiming();
        control->Init();
        QApplication::processEvents();  // the items' insertion, queued to the event loop
        state.PauseTiming();
        view.reset();
        control.reset();
        state.ResumeTiming();
    }
}

void BM_Floor_RawSqlQueries(benchmark::State& state) {
    bench::RawSqlite raw;
    int rows = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(raw.selection("ASSOCIATION", bench::kEntitySelectionSql, 3, rows));
        benchmark::DoNotOptimize(raw.selection("RUBSAISIE", bench::kRubricSelectionSql, 4, rows));
    }
}

// The texts that Init shows: the entities' names, and the open rubrics' labels and codes.
struct ShownTexts {
    std::vector<std::string> names;
    std::vector<std::string> labels;
    std::vector<int> codes;
};

ShownTexts shownTexts() {
    bench::RawSqlite raw;
    int rows = 0;
    ShownTexts texts;
    const mvdb::DynArray entities(
        raw.selection("ASSOCIATION", bench::kEntitySelectionSql, 3, rows));
    for (int row = 1; row <= entities.DCount(); ++row)
        texts.names.push_back(entities.Extract(row, 2));
    const mvdb::DynArray rubrics(raw.selection("RUBSAISIE", bench::kRubricSelectionSql, 4, rows));
    for (int row = 1; row <= rubrics.DCount(); ++row) {
        if (!rubrics.Extract(row, 4).empty()) continue;
        texts.labels.push_back(rubrics.Extract(row, 2));
        texts.codes.push_back(std::stoi(rubrics.Extract(row, 1)));
    }
    return texts;
}

QStringList qtTexts(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

// Fills the combo box in bulk, through an item model holding each item's text and item data.
void fill(QComboBox& combo, const QStringList& texts, const std::vector<int>* codes) {
    auto* model = new QStandardItemModel(&combo);
    QList<QStandardItem*> items;
    items.reserve(texts.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        auto* item = new QStandardItem(texts[i]);
        if (codes) item->setData((*codes)[static_cast<std::size_t>(i)], Qt::UserRole);
        items.append(item);
    }
    model->appendColumn(items);
    combo.setModel(model);
}

void BM_Floor_QtCombos(benchmark::State& state) {
    const ShownTexts texts = shownTexts();
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<QWidget>();
        std::vector<QComboBox*> combos;
        for (int i = 0; i < 6; ++i)
            combos.push_back(new QComboBox(window.get()));
        window->show();
        QApplication::processEvents();
        state.ResumeTiming();
        fill(*combos[0], qtTexts(texts.names), nullptr);
        for (int i = 1; i < 6; ++i)
            fill(*combos[i], qtTexts(texts.labels), &texts.codes);
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["rubrics"] = static_cast<double>(texts.labels.size());
}

BENCHMARK(BM_Init_Headless)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Init_Qt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_RawSqlQueries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_QtCombos)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
