// The database component beside raw SQLite on the same file: a point read, the entity and the
// rubric sentences over 100 to 10,000 records; and building a parameter record value by value
// beside appending the same text to a string.
#include <string>

#include <benchmark/benchmark.h>

#include "BenchDatabase.h"
#include "platform/FreedMemory.h"
#include "platform/mvdb/Marks.h"

namespace {

using bench::benchDatabase;
constexpr int kRecords = 10000;
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
    bench::floorIs(state, "BM_PointRead_RawSqlite");
    readThroughDbFile(state, [](mvdb::DbRecord record) { return record; });
}

void BM_PointRead_RawSqlite(benchmark::State& state) {
    readThroughRawSqlite(state, [](std::string text) { return text; });
}

void BM_LabelRead_DbFile(benchmark::State& state) {
    bench::floorIs(state, "BM_LabelRead_RawSqlite");
    readThroughDbFile(state, [](const mvdb::DbRecord& record) { return record.Extract(1); });
}

void BM_LabelRead_RawSqlite(benchmark::State& state) {
    readThroughRawSqlite(state, [](const std::string& text) {
        return std::string(mvdb::nthPiece(text, mvdb::kAttributeMark, 1));
    });
}

int recordsOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

void runSentence(benchmark::State& state, bench::Sizes sizes, const std::string& sentence,
                 const std::string& fields) {
    mvdb::DynArray command;
    command.Assign(1, sentence);
    command.Assign(3, fields);
    const mvdb::Database& database = benchDatabase(sizes).database();
    std::int32_t count = 0;
    for (auto _ : state) {
        mvdb::DynArray result = database.RunQuery(command.Extract(), "", count);
        benchmark::DoNotOptimize(result);
    }
    state.counters["records"] = count;
}

// The same selection in SQL, answered as the same result text.
void runRawSelection(benchmark::State& state, bench::Sizes sizes, const char* file, const char* sql,
                     int columns) {
    RawSqlite raw(sizes);
    int rows = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(raw.selection(file, sql, columns, rows));
    state.counters["records"] = rows;
}

bench::Sizes entities(const benchmark::State& state) {
    return {.entities = recordsOf(state)};
}

bench::Sizes rubrics(const benchmark::State& state) {
    return {.rubrics = recordsOf(state)};
}

void BM_EntitySentence_RunQuery(benchmark::State& state) {
    bench::floorIs(state, "BM_EntitySentence_RawSql");
    runSentence(state, entities(state), kEntitySentence, "0 1 38");
}

void BM_EntitySentence_RawSql(benchmark::State& state) {
    runRawSelection(state, entities(state), "ASSOCIATION", bench::kEntitySelectionSql, 3);
}

void BM_RubricSentence_RunQuery(benchmark::State& state) {
    bench::floorIs(state, "BM_RubricSentence_RawSql");
    runSentence(state, rubrics(state), kRubricSentence, "0 1 2 18");
}

void BM_RubricSentence_RawSql(benchmark::State& state) {
    runRawSelection(state, rubrics(state), "RUBSAISIE", bench::kRubricSelectionSql, 4);
}

// A parameter record of n lines, built with five Replace calls a line.
void BM_BuildParameterRecord(benchmark::State& state) {
    bench::floorIs(state, "BM_Floor_AppendRecordText");
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
}

// The same text appended to a string, attribute by attribute.
void BM_Floor_AppendRecordText(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::string text(4, mvdb::kAttributeMark);
        for (int attribute = 5; attribute <= 9; ++attribute) {
            if (attribute > 5) text += mvdb::kAttributeMark;
            for (int line = 1; line <= lines; ++line) {
                if (line > 1) text += mvdb::kValueMark;
                text += "101";
            }
        }
        benchmark::DoNotOptimize(text);
    }
}

void stepRecords(benchmark::internal::Benchmark* benchmark, const char* name) {
    benchmark->ArgName(name)->Unit(benchmark::kMillisecond);
    for (const int records : {100, 1000, 10000})
        benchmark->Arg(records);
}

void stepEntities(benchmark::internal::Benchmark* benchmark) {
    stepRecords(benchmark, "entities");
}

void stepRubrics(benchmark::internal::Benchmark* benchmark) {
    stepRecords(benchmark, "rubrics");
}

BENCHMARK(BM_PointRead_DbFile);
BENCHMARK(BM_PointRead_RawSqlite);
BENCHMARK(BM_LabelRead_DbFile);
BENCHMARK(BM_LabelRead_RawSqlite);
BENCHMARK(BM_EntitySentence_RunQuery)->Apply(stepEntities);
BENCHMARK(BM_EntitySentence_RawSql)->Apply(stepEntities);
BENCHMARK(BM_RubricSentence_RunQuery)->Apply(stepRubrics);
BENCHMARK(BM_RubricSentence_RawSql)->Apply(stepRubrics);
BENCHMARK(BM_BuildParameterRecord)
    ->RangeMultiplier(10)
    ->Range(10, 100000)
    ->ArgName("lines")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_AppendRecordText)
    ->RangeMultiplier(10)
    ->Range(10, 100000)
    ->ArgName("lines")
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    platform::keepFreedMemory();  // as ostrevan-host runs the component
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
