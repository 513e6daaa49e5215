// Saving an entity of 10,000 lines with "OK": its record rebuilt from the lines on the screen,
// written, and the screen cleared. Beside it, the same record text written by the database
// component, and the floor: the same text written in raw SQLite, with the component's statement
// and durability.
#include <string>

#include <benchmark/benchmark.h>

#include "BenchControl.h"

namespace {

using bench::benchDatabase;

std::string savedText() {
    return benchDatabase()
        .database()
        .OpenFile("TPSPARAMBASCUL")
        .ReadRecord(bench::kSavedEntity)
        .Extract();
}

void BM_SaveEntity_Headless(benchmark::State& state) {
    const std::string before = savedText();
    const auto control = bench::handedIn();
    control->Init();
    for (auto _ : state) {
        state.PauseTiming();
        control->Txt_Entite.SetText(bench::kSavedEntity);
        if (control->Lst_Codes.ListCount() != bench::kSavedLines)
            state.SkipWithError("the entity did not open on its lines");
        state.ResumeTiming();
        control->Cmd_Ok.onClick();
    }
    if (savedText() != before) state.SkipWithError("the lines were not saved as they were read");
}

void BM_WriteRecord_Component(benchmark::State& state) {
    mvdb::DbRecord record =
        benchDatabase().database().OpenFile("TPSPARAMBASCUL").ReadRecord(bench::kSavedEntity);
    for (auto _ : state)
        record.DBWrite();
}

void BM_Floor_RawSqliteWrite(benchmark::State& state) {
    const std::string text = savedText();
    bench::RawSqlite raw;
    sqlite3_step(raw.prepare("PRAGMA synchronous = FULL"));
    const std::int64_t file = raw.fileId("TPSPARAMBASCUL");
    sqlite3_stmt* write = raw.prepare(
        "INSERT INTO records (file, key, text) VALUES (?1, ?2, ?3)"
        " ON CONFLICT (file, key) DO UPDATE SET text = excluded.text");
    for (auto _ : state) {
        sqlite3_bind_int64(write, 1, file);
        sqlite3_bind_text(write, 2, bench::kSavedEntity, -1, SQLITE_STATIC);
        sqlite3_bind_blob(write, 3, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
        if (sqlite3_step(write) != SQLITE_DONE) state.SkipWithError("the write failed");
        sqlite3_reset(write);
    }
}

BENCHMARK(BM_SaveEntity_Headless)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteRecord_Component)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_RawSqliteWrite)->Unit(benchmark::kMillisecond);

}  // namespace
