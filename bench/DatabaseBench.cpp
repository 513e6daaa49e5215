// The database component beside raw SQLite on the same file: a point read, the entity and the
// rubric sentences over 10,000 records each, and building a parameter record value by value.
#include <string>

#include <benchmark/benchmark.h>

#include "BenchDatabase.h"
#include "platform/mvdb/Marks.h"

namespace {

using bench::benchDatabase;
using bench::kRecords;
using bench::RawSqlite;

const std::string kEntitySentence = "SSELECT ASSOCIATION  PAR 1";
const std::string kRubricSentence = "SSELECT RUBSAISIE AVEC 2 = \"3\" OR = \"4\" OR = \"5\" PAR 1";

// Reads rubric records one key after the other through DbFile; keeps what take answers.
template <class Take>
void readThroughDbFile(benchmark::State& state, Take take) {
    const mvdb::DbFile rubrics = benchDatabase().database().OpenFile("RUBSAISIE");
    int i = 0;
    for (auto _ : state) {
        auto kept = take(rubrics.ReadRecord(bench::rubricKey(i++ % kRecords)));
        benchmark::DoNotOptimize(kept);
    }
}

// The same reads with a prepared statement of raw SQLite; take gets the record's text.
template <class Take>
void readThroughRawSqlite(benchmark::State& state, Take take) {
    RawSqlite raw;
    const std::int64_t file = raw.fileId("RUBSAISIE");
    sqlite3_stmt* read = raw.prepare("SELECT text FROM records WHERE file = ?1 AND key = ?2");
    int i = 0;
    for (auto _ : state) {
        const std::string key = bench::rubricKey(i++ % kRecords);
        sqlite3_bind_int64(read, 1, file);
        sqlite3_bind_text(read, 2, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
        sqlite3_step(read);
        auto kept = take(bench::columnText(read, 0));
        benchmark::DoNotOptimize(kept);
        sqlite3_reset(read);
    }
}

void BM_PointRead_DbFile(benchmark::State& state) {
    readThroughDbFile(state, [](mvdb::DbRecord record) { return record; });
}

void BM_PointRead_RawSqlite(benchmark::State& state) {
    readThroughRawSqlite(state, [](std::string text) { return text; });
}

void BM_LabelRead_DbFile(benchmark::State& state) {
    readThroughDbFile(state, [](const mvdb::DbRecord& record) { return record.Extract(1); });
}

void BM_LabelRead_RawSqlite(benchmark::State& state) {
    readThroughRawSqlite(state, [](const std::string& text) {
        return std::string(mvdb::nthPiece(text, mvdb::kAttributeMark, 1));
    });
}

void runSentence(benchmark::State& state, const std::string& sentence, const std::string& fields) {
    mvdb::DynArray command;
    command.Assign(1, sentence);
    command.Assign(3, fields);
    std::int32_t count = 0;
    for (auto _ : state) {
        mvdb::DynArray result = benchDatabase().database().RunQuery(command.Extract(), "", count);
        benchmark::DoNotOptimize(result);
    }
    state.counters["records"] = count;
}

// The same selection in SQL, answered as the same result text.
void runRawSelection(benchmark::State& state, const char* file, const char* sql, int columns) {
    RawSqlite raw;
    int rows = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(raw.selection(file, sql, columns, rows));
    state.counters["records"] = rows;
}

void BM_EntitySentence_RunQuery(benchmark::State& state) {
    runSentence(state, kEntitySentence, "0 1 38");
}

void BM_EntitySentence_RawSql(benchmark::State& state) {
    runRawSelection(state, "ASSOCIATION", bench::kEntitySelectionSql, 3);
}

void BM_RubricSentence_RunQuery(benchmark::State& state) {
    runSentence(state, kRubricSentence, "0 1 2 18");
}

void BM_RubricSentence_RawSql(benchmark::State& state) {
    runRawSelection(state, "RUBSAISIE", bench::kRubricSelectionSql, 4);
}

// A parameter record of n lines, built with five Replace calls a line.
void BM_BuildParameterRecord(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        mvdb::DynArray record;
        for (int line = 1; line <= lines; ++line) {
            for (int attribute = 5; attribute <= 9; ++attribute) {
                record.Replace(attribute, line, 0, "101");
            }
        }
        benchmark::DoNotOptimize(record.Extract());
    }
    state.SetComplexityN(lines);
}

BENCHMARK(BM_PointRead_DbFile);
BENCHMARK(BM_PointRead_RawSqlite);
BENCHMARK(BM_LabelRead_DbFile);
BENCHMARK(BM_LabelRead_RawSqlite);
BENCHMARK(BM_EntitySentence_RunQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntitySentence_RawSql)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RubricSentence_RunQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RubricSentence_RawSql)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildParameterRecord)
    ->RangeMultiplier(10)
    ->Range(100, 100000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
