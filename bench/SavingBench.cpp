// Saving an entity of 10 to 10,000 lines with "OK": its record rebuilt from the lines on the
// screen, written, and the screen cleared. Beside it, the same record text written by the database
// component, and the floor: the same text written in raw SQLite, with the component's statement
// and durability.
//
// Before each write, each benchmark opens the entity on a screen, as the user does before "OK":
// its label reads leave the database's cache and the process's memory as a save finds
// them. (Written over and over with nothing in between, the same text takes a tenth of the time.)
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchControl.h"

namespace {

using bench::benchDatabase;

int linesOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

// A screen on which the saved entity is opened, and closed again unless it is saved.
class SavedEntityScreen {
public:
    explicit SavedEntityScreen(int lines) : control_(bench::handedIn()), lines_(lines) {
        control_->Init();
    }

    void open(benchmark::State& state) {
        control_->Txt_Entite.SetText(bench::linesEntity(lines_));
        if (control_->Lst_Codes.ListCount() != lines_)
            state.SkipWithError("the entity did not open on its lines");
    }
    void close() { control_->Txt_Entite.SetText(""); }
    void validate() { control_->Cmd_Ok.onClick(); }

private:
    std::unique_ptr<Ctr_Ostrevan> control_;
    int lines_;
};

mvdb::DbRecord savedRecord(int lines) {
    return benchDatabase()
        .database()
        .OpenFile("TPSPARAMBASCUL")
        .ReadRecord(bench::linesEntity(lines));
}

void BM_SaveEntity_Headless(benchmark::State& state) {
    bench::floorIs(state, "BM_Floor_RawSqliteWrite");
    const std::string before = savedRecord(linesOf(state)).Extract();
    SavedEntityScreen screen(linesOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        screen.open(state);
        state.ResumeTiming();
        screen.validate();
    }
    if (savedRecord(linesOf(state)).Extract() != before)
        state.SkipWithError("the lines were not saved as they were read");
}

void BM_WriteRecord_Component(benchmark::State& state) {
    bench::floorIs(state, "BM_Floor_RawSqliteWrite");
    const mvdb::DbRecord record = savedRecord(linesOf(state));
    SavedEntityScreen screen(linesOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        screen.open(state);
        screen.close();
        state.ResumeTiming();
        record.DBWrite();
    }
}

void BM_Floor_RawSqliteWrite(benchmark::State& state) {
    const std::string entity = bench::linesEntity(linesOf(state));
    const std::string text = savedRecord(linesOf(state)).Extract();
    SavedEntityScreen screen(linesOf(state));
    bench::RawSqlite raw;
    sqlite3_step(raw.prepare("PRAGMA synchronous = FULL"));
    const std::int64_t file = raw.fileId("TPSPARAMBASCUL");
    sqlite3_stmt* write = raw.prepare(
        "INSERT INTO records (file, key, text) VALUES (?1, ?2, ?3)"
        " ON CONFLICT (file, key) DO UPDATE SET text = excluded.text");
    for (auto _ : state) {
        state.PauseTiming();
        screen.open(state);
        screen.close();
        state.ResumeTiming();
        sqlite3_bind_int64(write, 1, file);
        sqlite3_bind_text(write, 2, entity.data(), static_cast<int>(entity.size()), SQLITE_STATIC);
        sqlite3_bind_blob(write, 3, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
        if (sqlite3_step(write) != SQLITE_DONE) state.SkipWithError("the write failed");
        sqlite3_reset(write);
    }
}

// Each iteration opens the entity untimed first: a short timed minimum keeps the run brief.
void stepSavedLines(benchmark::internal::Benchmark* benchmark) {
    benchmark->Apply(bench::stepLines)->Unit(benchmark::kMillisecond)->MinTime(0.1);
}

BENCHMARK(BM_SaveEntity_Headless)->Apply(stepSavedLines);
BENCHMARK(BM_WriteRecord_Component)->Apply(stepSavedLines);
BENCHMARK(BM_Floor_RawSqliteWrite)->Apply(stepSavedLines);

}  // namespace
