// The database component beside raw SQLite on the same file: a point read, the entity and the
// rubric sentences over 10,000 records each, and building a parameter record value by value.
#include <filesystem>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include "platform/mvdb/Database.h"
#include "platform/mvdb/Marks.h"

namespace {

constexpr int kRecords = 10000;

const std::string kEntitySentence = "SSELECT ASSOCIATION  PAR 1";
const std::string kRubricSentence = "SSELECT RUBSAISIE AVEC 2 = \"3\" OR = \"4\" OR = \"5\" PAR 1";

std::string keyOf(int i) {
    std::string key = std::to_string(i);
    return std::string(key.size() < 5 ? 5 - key.size() : 0, '0') + key;
}

// A database of 10,000 entities and 10,000 rubrics, made once for the run.
class BenchDatabase {
public:
    BenchDatabase()
        : path_(std::filesystem::temp_directory_path() /
                ("ostrevan-bench-" + std::to_string(::getpid()) + ".mvdb")),
          database_(mvdb::Database::Create(path_)) {
        mvdb::Database::Transaction fill(database_);
        const mvdb::DbFile entities = database_.CreateFile("ASSOCIATION");
        const mvdb::DbFile rubrics = database_.CreateFile("RUBSAISIE");
        for (int i = 0; i < kRecords; ++i) {
            // Names and labels come in an order unlike the keys', as they do in real files.
            const int shuffled = (i * 7919) % kRecords;
            mvdb::DbRecord entity = entities.NewRecord(keyOf(i));
            entity.Replace(1, 0, 0, "Association d'aide à domicile n° " + std::to_string(shuffled));
            entity.Replace(2, 0, 0, std::to_string(i) + " rue des Tilleuls");
            entity.Replace(38, 0, 0, "TLG");
            entity.DBWrite();
            mvdb::DbRecord rubric = rubrics.NewRecord(keyOf(i));
            rubric.Replace(1, 0, 0, "Heures majorées " + std::to_string(shuffled));
            rubric.Replace(2, 0, 0, std::to_string(1 + i % 6));
            rubric.Replace(18, 0, 0, i % 10 == 0 ? "31/12/2024" : "");
            rubric.DBWrite();
        }
        fill.commit();
    }
    ~BenchDatabase() {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path_ + suffix);
    }

    const std::string& path() const { return path_; }
    const mvdb::Database& database() const { return database_; }

private:
    std::string path_;
    mvdb::Database database_;
};

const BenchDatabase& benchDatabase() {
    static const BenchDatabase database;
    return database;
}

// A raw SQLite connection to the bench database, with field extraction as an SQL function.
class RawSqlite {
public:
    RawSqlite() {
        sqlite3_open_v2(benchDatabase().path().c_str(), &connection_, SQLITE_OPEN_READWRITE,
                        nullptr);
        sqlite3_create_function(connection_, "field", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                nullptr, &field, nullptr, nullptr);
    }
    ~RawSqlite() {
        sqlite3_finalize(statement_);
        sqlite3_close(connection_);
    }

    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_finalize(statement_);
        sqlite3_prepare_v2(connection_, sql, -1, &statement_, nullptr);
        return statement_;
    }

    std::int64_t fileId(const char* name) {
        sqlite3_stmt* find = prepare("SELECT id FROM files WHERE name = ?1");
        sqlite3_bind_text(find, 1, name, -1, SQLITE_STATIC);
        sqlite3_step(find);
        return sqlite3_column_int64(find, 0);
    }

private:
    static void field(sqlite3_context* context, int, sqlite3_value** arguments) {
        const auto* text = static_cast<const char*>(sqlite3_value_blob(arguments[0]));
        const std::string_view record(text ? text : "", sqlite3_value_bytes(arguments[0]));
        const std::string_view piece =
            mvdb::nthPiece(record, mvdb::kAttributeMark, sqlite3_value_int(arguments[1]));
        sqlite3_result_text(context, piece.data(), static_cast<int>(piece.size()),
                            SQLITE_TRANSIENT);
    }

    sqlite3* connection_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
};

std::string columnText(sqlite3_stmt* statement, int column) {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
    return bytes ? std::string(bytes, sqlite3_column_bytes(statement, column)) : std::string();
}

// Reads rubric records one key after the other through DbFile; keeps what take answers.
template <class Take>
void readThroughDbFile(benchmark::State& state, Take take) {
    const mvdb::DbFile rubrics = benchDatabase().database().OpenFile("RUBSAISIE");
    int i = 0;
    for (auto _ : state) {
        auto kept = take(rubrics.ReadRecord(keyOf(i++ % kRecords)));
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
        const std::string key = keyOf(i++ % kRecords);
        sqlite3_bind_int64(read, 1, file);
        sqlite3_bind_text(read, 2, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
        sqlite3_step(read);
        auto kept = take(columnText(read, 0));
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
    const std::int64_t id = raw.fileId(file);
    sqlite3_stmt* select = raw.prepare(sql);
    int count = 0;
    for (auto _ : state) {
        sqlite3_bind_int64(select, 1, id);
        std::string result;
        count = 0;
        while (sqlite3_step(select) == SQLITE_ROW) {
            if (count++ > 0) result += mvdb::kAttributeMark;
            for (int column = 0; column < columns; ++column) {
                if (column > 0) result += mvdb::kValueMark;
                result += columnText(select, column);
            }
        }
        sqlite3_reset(select);
        benchmark::DoNotOptimize(result);
    }
    state.counters["records"] = count;
}

void BM_EntitySentence_RunQuery(benchmark::State& state) {
    runSentence(state, kEntitySentence, "0 1 38");
}

void BM_EntitySentence_RawSql(benchmark::State& state) {
    runRawSelection(state, "ASSOCIATION",
                    "SELECT key, field(text, 1), field(text, 38) FROM records WHERE file = ?1"
                    " ORDER BY 2, key",
                    3);
}

void BM_RubricSentence_RunQuery(benchmark::State& state) {
    runSentence(state, kRubricSentence, "0 1 2 18");
}

void BM_RubricSentence_RawSql(benchmark::State& state) {
    runRawSelection(state, "RUBSAISIE",
                    "SELECT key, field(text, 1), field(text, 2), field(text, 18) FROM records"
                    " WHERE file = ?1 AND field(text, 2) IN ('3', '4', '5') ORDER BY 2, key",
                    4);
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
