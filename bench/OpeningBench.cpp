// Opening an entity of 10 to 10,000 lines on each store, beside the floor: the least work that
// an opening needs, in raw SQLite and in raw libpq, its lines built in plain buffers
// (floors/ReadingFloors.h). The component's requests to the storage for one opening are counted.
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchControl.h"
#include "control/Ctr_Ostrevan_p.h"
#include "floors/ReadingFloors.h"

namespace {

using bench::Store;

int linesOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

void openEntity(benchmark::State& state, Store store) {
    bench::floorIs(state,
                   store == Store::kFile ? "BM_Floor_Opening_File" : "BM_Floor_Opening_Server");
    const int lines = linesOf(state);
    const std::unique_ptr<Ctr_Ostrevan> control = bench::handedIn({}, store);
    control->Init();
    const mvdb::Database& database = bench::benchDatabase({}, store).database();
    std::uint64_t requests = 0;
    for (auto _ : state) {
        const std::uint64_t before = database.Requests();
        control->Txt_Entite.SetText(bench::linesEntity(lines));
        state.PauseTiming();
        requests = database.Requests() - before;
        if (control->Lst_Codes.ListCount() != lines)
            state.SkipWithError("the entity did not open on its lines");
        control->Txt_Entite.SetText("");
        state.ResumeTiming();
    }
    state.counters["requests"] = static_cast<double>(requests);
}

// The first opening of a host that has just started, on its new connection to the server: the
// component's statements carry their preparations, and the new server process plans each once and
// reads the record into memory it has not used yet. Measured beside the steady opening, which a
// connection long open makes.
void BM_FirstOpening_Headless_Server(benchmark::State& state) {
    bench::floorIs(state, "BM_OpenEntity_Headless_Server");
    const int lines = linesOf(state);
    const std::string& location = bench::benchDatabase({}, Store::kServer).location();
    std::unique_ptr<Ctr_Ostrevan> control;
    for (auto _ : state) {
        state.PauseTiming();
        control.reset();  // the last host goes, and its connection with it
        control = bench::handedIn(mvdb::Database::Open(location));
        control->Init();
        state.ResumeTiming();
        control->Txt_Entite.SetText(bench::linesEntity(lines));
        state.PauseTiming();
        if (control->Lst_Codes.ListCount() != lines)
            state.SkipWithError("the entity did not open on its lines");
        state.ResumeTiming();
    }
}

void stepOpenedLines(benchmark::internal::Benchmark* benchmark) {
    benchmark->Apply(bench::stepLines)->Unit(benchmark::kMillisecond);
}

const bool registered = [] {
    bench::registerOnEachStore("BM_OpenEntity_Headless", openEntity,
                               {{{"BM_Floor_Opening_File", bench::floorOpeningFile},
                                 {"BM_Floor_Opening_Server", bench::floorOpeningServer}}},
                               stepOpenedLines);
    return true;
}();
BENCHMARK(BM_FirstOpening_Headless_Server)->Apply(stepOpenedLines)->MinTime(0.5);

}  // namespace
