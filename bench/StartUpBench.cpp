// Init of the screen over 100 to 10,000 entities and rubrics, headless on each store and shown by
// the Qt views (on Qt's offscreen platform unless told otherwise), beside its floors: the least
// work of Init's reads and lists over raw SQLite (floors/ReadingFloors.h), or the same records read
// through raw libpq; and for the Qt views, the selections in SQLite and six Qt combo boxes filled
// directly with the same texts.
#include <QApplication>
#include <QComboBox>
#include <QStandardItemModel>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchControl.h"
#include "control/Ctr_Ostrevan_p.h"
#include "floors/ReadingFloors.h"
#include "platform/FreedMemory.h"
#include "platform/qt/SurfaceWidget.h"

namespace {

using bench::handedIn;

void initHeadless(benchmark::State& state, bench::Store store) {
    bench::floorIs(
        state, store == bench::Store::kFile ? "BM_Floor_Init_File" : "BM_Floor_RawLibpqQueries");
    for (auto _ : state) {
        state.PauseTiming();
        auto control = handedIn(bench::sizesOf(state), store);
        state.ResumeTiming();
        control->Init();
        state.PauseTiming();
        control.reset();
        state.ResumeTiming();
    }
}

void BM_Init_Qt(benchmark::State& state) {
    bench::floorIs(state, "BM_Floor_RawSqlAndQtCombos");
    for (auto _ : state) {
        state.PauseTiming();
        auto control = handedIn(bench::sizesOf(state));
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

// On the server, the least work reads each file's records, then selects and sorts them here, as
// the component does: the server's SQL cannot read a field of a record's text any faster.
void BM_Floor_RawLibpqQueries(benchmark::State& state) {
    bench::RawLibpq raw(bench::sizesOf(state));
    raw.prepare("records", "SELECT key, text FROM mvdb_records WHERE file = $1");
    const std::string entities = std::to_string(raw.fileId("ASSOCIATION"));
    const std::string rubrics = std::to_string(raw.fileId("RUBSAISIE"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            bench::selectFields(raw.run("records", {entities}), {1, 38}, 0, {}));
        benchmark::DoNotOptimize(
            bench::selectFields(raw.run("records", {rubrics}), {1, 2, 18}, 2, {"3", "4", "5"}));
    }
}

// What the six combo boxes show, read from the rows of the two selections: the entities' names,
// and the open rubrics' labels with their codes.
struct ShownTexts {
    QStringList names;
    QStringList labels;
    std::vector<int> codes;
};

ShownTexts selectShownTexts(bench::RawSqlite& raw) {
    ShownTexts texts;
    const std::int64_t entities = raw.fileId("ASSOCIATION");
    sqlite3_stmt* select = raw.prepare(bench::kEntitySelectionSql);
    sqlite3_bind_int64(select, 1, entities);
    while (sqlite3_step(select) == SQLITE_ROW)
        texts.names.append(QString::fromStdString(bench::columnText(select, 1)));
    const std::int64_t rubrics = raw.fileId("RUBSAISIE");
    select = raw.prepare(bench::kRubricSelectionSql);
    sqlite3_bind_int64(select, 1, rubrics);
    while (sqlite3_step(select) == SQLITE_ROW) {
        if (sqlite3_column_bytes(select, 3) > 0) continue;
        texts.labels.append(QString::fromStdString(bench::columnText(select, 1)));
        texts.codes.push_back(std::stoi(bench::columnText(select, 0)));
    }
    return texts;
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

void BM_Floor_RawSqlAndQtCombos(benchmark::State& state) {
    bench::RawSqlite raw(bench::sizesOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<QWidget>();
        std::vector<QComboBox*> combos;
        for (int i = 0; i < 6; ++i)
            combos.push_back(new QComboBox(window.get()));
        window->show();
        QApplication::processEvents();
        state.ResumeTiming();
        const ShownTexts texts = selectShownTexts(raw);
        fill(*combos[0], texts.names, nullptr);
        for (int i = 1; i < 6; ++i)
            fill(*combos[i], texts.labels, &texts.codes);
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

void stepStartUp(benchmark::internal::Benchmark* benchmark) {
    benchmark->Apply(bench::stepEntitiesAndRubrics)->Unit(benchmark::kMillisecond);
}

const bool registered = [] {
    bench::registerOnEachStore("BM_Init_Headless", initHeadless,
                               {{{"BM_Floor_Init_File", bench::floorInitFile},
                                 {"BM_Floor_RawLibpqQueries", BM_Floor_RawLibpqQueries}}},
                               stepStartUp);
    return true;
}();
BENCHMARK(BM_Init_Qt)->Apply(bench::stepEntitiesAndRubrics)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_RawSqlAndQtCombos)
    ->Apply(bench::stepEntitiesAndRubrics)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    platform::keepFreedMemory();  // as ostrevan-host runs the control
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
