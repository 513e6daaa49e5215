// One keystroke that completes a rubric code, with 100 to 32,766 rubrics (the most a list holds)
// in each of the five lists: the third digit of 999, whose one item is the last of the list, so
// that the lookup scans them all. Headless beside the floor of the same scan over the bare item
// data; shown by the Qt views beside a bare Qt line edit and combo box doing the same.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QStandardItemModel>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchDatabase.h"
#include "control/Ctr_Ostrevan_p.h"
#include "platform/qt/SurfaceWidget.h"
#include "platform/toolkit/User.h"

namespace {

constexpr std::int32_t kSoughtCode = 999;

int rubricsOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

// The item data of the lists: codes 0 to 998 over and over, then 999 last.
std::vector<std::int32_t> listedCodes(int rubrics) {
    std::vector<std::int32_t> codes;
    for (int item = 0; item + 1 < rubrics; ++item)
        codes.push_back(item % kSoughtCode);
    codes.push_back(kSoughtCode);
    return codes;
}

// A control whose five rubric lists hold the rubrics, its weekday code box open to the user.
std::unique_ptr<Ctr_Ostrevan> controlWithRubrics(int rubrics) {
    auto control = std::make_unique<Ctr_Ostrevan>();
    const std::vector<std::int32_t> codes = listedCodes(rubrics);
    for (const screen::RubricColumn& column : control->rubricColumns()) {
        for (const std::int32_t code : codes) {
            column.list.AddItem("Heures de garde itinérante de nuit");
            column.list.SetItemData(column.list.NewIndex(), code);
        }
    }
    control->Cdr_RubHeures.SetEnabled(true);
    return control;
}

// Types the third digit of 999 after the first two, which are typed anew, untimed, each time.
void typeCompletingKeys(benchmark::State& state, Ctr_Ostrevan& control,
                        const std::function<void()>& shown) {
    toolkit::User user(control);
    for (auto _ : state) {
        state.PauseTiming();
        control.Txt_RubNorm.SetText("");
        user.typeKey(control.Txt_RubNorm, '9');
        user.typeKey(control.Txt_RubNorm, '9');
        shown();
        state.ResumeTiming();
        user.typeKey(control.Txt_RubNorm, '9');
        shown();
        state.PauseTiming();
        if (control.Cbo_RubNorm.ListIndex() != rubricsOf(state) - 1)
            state.SkipWithError("the code did not select its rubric");
        state.ResumeTiming();
    }
}

void BM_CompletingKeystroke_Headless(benchmark::State& state) {
    bench::floorIs(state, "BM_Floor_ScanItemData");
    const auto control = controlWithRubrics(rubricsOf(state));
    typeCompletingKeys(state, *control, [] {});
}

void BM_CompletingKeystroke_Qt(benchmark::State& state) {
    bench::floorIs(state, "BM_Floor_QtKeystroke");
    const auto control = controlWithRubrics(rubricsOf(state));
    qtview::SurfaceWidget view(*control);
    view.show();
    QApplication::processEvents();
    typeCompletingKeys(state, *control, [] { QApplication::processEvents(); });
}

// The index of the first item of the sought code, by a bare scan.
std::size_t scanFor(const std::vector<std::int32_t>& codes) {
    std::size_t found = 0;
    while (codes[found] != kSoughtCode)
        ++found;
    return found;
}

void BM_Floor_ScanItemData(benchmark::State& state) {
    const std::vector<std::int32_t> codes = listedCodes(rubricsOf(state));
    for (auto _ : state) {
        benchmark::ClobberMemory();
        benchmark::DoNotOptimize(scanFor(codes));
    }
}

// A bare Qt line edit and combo box in a group box, as the screen's code box and list sit in
// their frame: the keystroke's text shown, the combo box's item found by the same scan and
// selected, and the window repainted.
void BM_Floor_QtKeystroke(benchmark::State& state) {
    const std::vector<std::int32_t> codes = listedCodes(rubricsOf(state));
    QWidget window;
    auto* frame = new QGroupBox("Rubriques", &window);
    frame->setGeometry(0, 0, 400, 60);
    auto* code = new QLineEdit(frame);
    code->setGeometry(10, 20, 40, 22);
    auto* rubric = new QComboBox(frame);
    rubric->setGeometry(60, 20, 300, 22);
    auto* model = new QStandardItemModel(rubric);
    for (const std::int32_t listed : codes) {
        auto* item = new QStandardItem("Heures de garde itinérante de nuit");
        item->setData(listed, Qt::UserRole);
        model->appendRow(item);
    }
    rubric->setModel(model);
    window.show();
    for (auto _ : state) {
        state.PauseTiming();
        code->setText("99");
        rubric->setCurrentIndex(-1);
        QApplication::processEvents();
        state.ResumeTiming();
        code->setText("999");
        rubric->setCurrentIndex(static_cast<int>(scanFor(codes)));
        QApplication::processEvents();
    }
}

void stepRubrics(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("rubrics")->Unit(benchmark::kMicrosecond);
    for (const int rubrics : {100, 1000, 10000, 32766})
        benchmark->Arg(rubrics);
}

BENCHMARK(BM_CompletingKeystroke_Headless)->Apply(stepRubrics);
BENCHMARK(BM_CompletingKeystroke_Qt)->Apply(stepRubrics);
BENCHMARK(BM_Floor_ScanItemData)->Apply(stepRubrics);
BENCHMARK(BM_Floor_QtKeystroke)->Apply(stepRubrics);

}  // namespace
