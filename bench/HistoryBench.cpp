// The history of a record: mvdb history of a parameter record of 100 lines that 1,000 saves each
// changed by one line, on each store, beside its floor, the same notes read raw; and what each
// save adds to the database's size, for a record of 100 and of 1,000 lines.
//
// Both run on a bench database of their own (100 entities, 1,000 rubrics, which every line's
// codes name), so that its history weighs on no other benchmark.
#include <filesystem>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchDatabase.h"
#include "tools/mvdb/Commands.h"

namespace {

using bench::Store;

constexpr bench::Sizes kHistorySizes{100, 1000};
constexpr const char* kHistoryKey = "HIST";
constexpr int kVersions = 1000;
constexpr int kHistoryLines = 100;

// Line line (from 1) of a parameter record as its version-th write leaves it: the line that each
// write changes names another weekday rubric.
void setLine(mvdb::DynArray& record, int line, int version) {
    for (int attribute = 5; attribute <= 9; ++attribute)
        record.Replace(attribute, line, 0, bench::lineRubric(line, attribute));
    if (version > 0) record.Replace(5, line, 0, bench::rubricKey(version * 7 % 1000));
}

// The bench database of the history, its record written kVersions times on the first call.
const bench::BenchDatabase& historyDatabase(Store store) {
    const bench::BenchDatabase& bench = bench::benchDatabase(kHistorySizes, store);
    const mvdb::DbFile parameters = bench.database().OpenFile("TPSPARAMBASCUL");
    if (parameters.ReadRecords(std::vector<std::string>{kHistoryKey}).front()) return bench;
    mvdb::Database::Transaction fill(bench.database());
    mvdb::DynArray record;
    for (int line = 1; line <= kHistoryLines; ++line)
        setLine(record, line, 0);
    for (int version = 1; version <= kVersions; ++version) {
        setLine(record, version % kHistoryLines + 1, version);
        parameters.WriteRecord(kHistoryKey, record.Extract());
    }
    fill.commit();
    return bench;
}

void history(benchmark::State& state, Store store) {
    bench::floorIs(
        state, store == Store::kFile ? "BM_Floor_RawSqliteHistory" : "BM_Floor_RawLibpqHistory");
    const std::string& location = historyDatabase(store).location();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        mvdbtool::showHistory(location, "TPSPARAMBASCUL", kHistoryKey, out);
        bytes = out.str().size();
    }
    state.counters["output_bytes"] = static_cast<double>(bytes);
}

// The floor: the record's notes read raw, each row's columns copied, as the store reads them.
void BM_Floor_RawSqliteHistory(benchmark::State& state) {
    historyDatabase(Store::kFile);
    bench::RawSqlite raw(kHistorySizes);
    const std::int64_t file = raw.fileId("TPSPARAMBASCUL");
    sqlite3_stmt* read = raw.prepare(
        "SELECT version, time, user, deleted, replaced FROM history"
        " WHERE file = ?1 AND key = ?2 ORDER BY version DESC, deleted DESC");
    for (auto _ : state) {
        sqlite3_bind_int64(read, 1, file);
        sqlite3_bind_text(read, 2, kHistoryKey, -1, SQLITE_STATIC);
        std::size_t bytes = 0;
        while (sqlite3_step(read) == SQLITE_ROW)
            bytes += bench::columnText(read, 2).size() + bench::columnText(read, 4).size();
        sqlite3_reset(read);
        benchmark::DoNotOptimize(bytes);
    }
}

void BM_Floor_RawLibpqHistory(benchmark::State& state) {
    historyDatabase(Store::kServer);
    bench::RawLibpq raw(kHistorySizes);
    const std::string file = std::to_string(raw.fileId("TPSPARAMBASCUL"));
    raw.prepare("history",
                "SELECT version, written_at, written_by, deleted, replaced FROM mvdb_history"
                " WHERE file = $1 AND key = $2 ORDER BY version DESC, deleted DESC");
    for (auto _ : state) {
        const PGresult* read = raw.run("history", {file, kHistoryKey}, {0, 1});
        std::size_t bytes = 0;
        for (int row = 0; row < PQntuples(read); ++row)
            bytes += std::string(bench::valueOf(read, row, 2)).size() +
                     std::string(bench::valueOf(read, row, 4)).size();
        benchmark::DoNotOptimize(bytes);
    }
}

// The bytes that the history takes: the database file's size, or on the server the history
// table's with its indexes and out-of-line texts.
std::int64_t historyBytes(Store store) {
    if (store == Store::kFile) {
        return static_cast<std::int64_t>(
            std::filesystem::file_size(historyDatabase(store).location()));
    }
    bench::RawLibpq raw(kHistorySizes);
    raw.prepare("size", "SELECT pg_total_relation_size('mvdb_history')::text");
    return std::stoll(std::string(bench::valueOf(raw.run("size", {}), 0, 0)));
}

// Saves the entity of that many lines, one line changed each time, and counts the bytes the
// database grew by a save: the text replaced, kept in the history, and its note.
void historyGrowth(benchmark::State& state, Store store) {
    const int lines = static_cast<int>(state.range(0));
    mvdb::DbRecord record = historyDatabase(store)
                                .database()
                                .OpenFile("TPSPARAMBASCUL")
                                .ReadRecord(bench::linesEntity(lines));
    const std::int64_t before = historyBytes(store);
    int save = 0;
    for (auto _ : state) {
        ++save;
        setLine(record, save % lines + 1, save);
        record.DBWrite();
    }
    state.counters["record_bytes"] = static_cast<double>(record.Extract().size());
    state.counters["bytes_per_save"] =
        static_cast<double>(historyBytes(store) - before) / static_cast<double>(save);
}

void BM_History_1000Versions(benchmark::State& state, Store store) {
    history(state, store);
}

void BM_HistoryGrowth(benchmark::State& state, Store store) {
    historyGrowth(state, store);
}

const int kRegistered = [] {
    bench::registerOnEachStore(
        "BM_History_1000Versions", BM_History_1000Versions,
        {bench::Floor{"BM_Floor_RawSqliteHistory", BM_Floor_RawSqliteHistory},
         bench::Floor{"BM_Floor_RawLibpqHistory", BM_Floor_RawLibpqHistory}},
        [](benchmark::internal::Benchmark* benchmark) {
            benchmark->Unit(benchmark::kMillisecond);
        });
    for (const Store store : bench::kStores) {
        benchmark::RegisterBenchmark(
            (std::string("BM_HistoryGrowth_") + bench::storeName(store)).c_str(), BM_HistoryGrowth,
            store)
            ->ArgName("lines")
            ->Arg(100)
            ->Arg(1000)
            ->Iterations(200)
            ->Unit(benchmark::kMillisecond);
    }
    return 0;
}();

}  // namespace
