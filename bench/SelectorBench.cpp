// One keystroke that completes a rubric code, with 32,766 rubrics in each of the five lists: the
// third digit of 999, whose one item is the last of the list, so that the lookup scans them all.
// Headless and shown by the Qt views, beside the floor: the same scan over the bare item data.
#include <QApplication>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "control/Ctr_Ostrevan.h"
#include "platform/qt/SurfaceWidget.h"
#include "platform/toolkit/User.h"

namespace {

constexpr int kRubrics = 32766;
constexpr std::int32_t kSoughtCode = 999;

// The item data of the lists: codes 0 to 998 over and over, then 999 last.
std::vector<std::int32_t> listedCodes() {
    std::vector<std::int32_t> codes;
    for (int item = 0; item + 1 < kRubrics; ++item)
        codes.push_back(item % kSoughtCode);
    codes.push_back(kSoughtCode);
    return codes;
}

// A control whose five rubric lists hold the rubrics, its weekday code box open to the user.
std::unique_ptr<Ctr_Ostrevan> controlWithRubrics() {
    auto control = std::make_unique<Ctr_Ostrevan>();
    const std::vector<std::int32_t> codes = listedCodes();
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
        if (control.Cbo_RubNorm.ListIndex() != kRubrics - 1)
            state.SkipWithError("the code did not select its rubric");
        state.ResumeTiming();
    }
}

void BM_CompletingKeystroke_Headless(benchmark::State& state) {
    const auto control = controlWithRubrics();
    typeCompletingKeys(state, *control, [] {});
}

void BM_CompletingKeystroke_Qt(benchmark::State& state) {
    const auto control = controlWithRubrics();
    qtview::SurfaceWidget view(*control);
    view.show();
    QApplication::processEvents();
    typeCompletingKeys(state, *control, [] { QApplication::processEvents(); });
}

void BM_Floor_ScanItemData(benchmark::State& state) {
    const std::vector<std::int32_t> codes = listedCodes();
    for (auto _ : state) {
        benchmark::ClobberMemory();
        std::size_t found = 0;
        while (codes[found] != kSoughtCode)
            ++found;
        benchmark::DoNotOptimize(found);
    }
}

BENCHMARK(BM_CompletingKeystroke_Headless)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CompletingKeystroke_Qt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_ScanItemData)->Unit(benchmark::kMicrosecond);

}  // namespace
