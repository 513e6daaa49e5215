// What the benchmarks share: databases of entities, rubrics and parameter records, each made once
// for the run, in an SQLite file or on a PostgreSQL server that the run starts (durable, as an
// office's server is), and raw SQLite and raw libpq connections to the same databases, the floors
// that the database component and the control are measured against.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include "platform/mvdb/Database.h"

namespace bench {

// The store of a bench database: an SQLite file, or a database of the run's PostgreSQL server.
enum class Store { kFile, kServer };
inline constexpr Store kStores[] = {Store::kFile, Store::kServer};
inline const char* storeName(Store store) {
    return store == Store::kFile ? "File" : "Server";
}

// A floor benchmark, by its name.
struct Floor {
    const char* name;
    void (*run)(benchmark::State&);
};

// Registers the benchmark once for each store, as NAME_File and NAME_Server, each followed by its
// floor on that store, so that each runs beside its floor, with the same settings.
void registerOnEachStore(const std::string& name, void (*run)(benchmark::State&, Store),
                         const std::array<Floor, 2>& floors,
                         const std::function<void(benchmark::internal::Benchmark*)>& settings);

// The sizes of the bench databases: 10,000 entities and 10,000 rubrics unless a benchmark steps
// one of them.
struct Sizes {
    int entities = 10000;
    int rubrics = 10000;
    auto operator<=>(const Sizes&) const = default;
};

// Entity keys 00000 to 09999 and on. Rubric keys are codes that the screen can show (0 to 999),
// each thousand with one more leading zero: 0 ... 999, 00 ... 0999, 000 ...
std::string entityKey(int i);
std::string rubricKey(int i);

// The number of lines of the entities whose opening and saving are measured, in 10x steps, and
// the code of the entity that has that many lines. Each line names five rubrics that exist, each
// line other codes, among the first 10,000 rubrics.
inline constexpr int kLineCounts[] = {10, 100, 1000, 10000};
std::string linesEntity(int lines);
std::string lineRubric(int line, int attribute);

// Names and labels come in an order unlike the keys', as in real files. Nine rubrics in ten are
// of the types that the screen offers, and one in twenty of them is closed. Besides its entities,
// the file holds one entity for each count of lines.
class BenchDatabase {
public:
    BenchDatabase(Sizes sizes, Store store);
    ~BenchDatabase();

    // The file's path, or the server database's URI.
    const std::string& location() const { return location_; }
    const mvdb::Database& database() const { return database_; }

private:
    Store store_;
    std::string location_;
    mvdb::Database database_;
};

const BenchDatabase& benchDatabase(Sizes sizes = {}, Store store = Store::kFile);

// Runs a benchmark over databases of 100 to 10,000 entities, then of 100 to 10,000 rubrics, in
// 10x steps, the other count at 10,000; the benchmark reads them back with sizesOf.
void stepEntitiesAndRubrics(benchmark::internal::Benchmark* benchmark);
Sizes sizesOf(const benchmark::State& state);
// Runs a benchmark for each count of lines of kLineCounts.
void stepLines(benchmark::internal::Benchmark* benchmark);

// The entity and the rubric selections of the screen, in SQL over the stored record texts, with
// field(text, n) giving attribute n.
extern const char* const kEntitySelectionSql;
extern const char* const kRubricSelectionSql;

class RawSqlite {
public:
    explicit RawSqlite(Sizes sizes = {});
    ~RawSqlite();
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;

    sqlite3* connection() const { return connection_; }
    // Prepares the statement, replacing the one prepared before.
    sqlite3_stmt* prepare(const char* sql);
    std::int64_t fileId(const char* name);

    // Runs a selection whose first parameter is the file's identity and answers the rows as the
    // database component answers a query: one attribute a row, one value a column.
    std::string selection(const char* file, const char* sql, int columns, int& rows);

private:
    sqlite3* connection_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
};

std::string columnText(sqlite3_stmt* statement, int column);

// A libpq connection to a bench database of the server, with statements prepared by name; keys
// and texts travel as raw bytes, numbers as text.
class RawLibpq {
public:
    explicit RawLibpq(Sizes sizes = {});
    ~RawLibpq();
    RawLibpq(const RawLibpq&) = delete;
    RawLibpq& operator=(const RawLibpq&) = delete;

    void prepare(const char* name, const char* sql);
    // Runs a prepared statement; a parameter is a text or, when binary, raw bytes. The result is
    // in binary form, cleared at the next run.
    const PGresult* run(const char* name, const std::vector<std::string_view>& parameters,
                        const std::vector<int>& binary = {});
    std::int64_t fileId(const char* name);
    // Runs a selection prepared as name, whose parameter is the file's identity, answered as the
    // database component answers a query.
    std::string selection(const char* file, const char* name, int columns, int& rows);

private:
    PGconn* connection_ = nullptr;
    PGresult* result_ = nullptr;
};

std::string_view valueOf(const PGresult* result, int row, int column);

// The keys and fields of records read as rows of key and text, answered as the database component
// answers a query: those whose field filter is one of values (all when there are none), sorted by
// the bytes of their first field, then of their key.
std::string selectFields(const PGresult* records, const std::vector<int>& fields, int filter,
                         const std::vector<std::string_view>& values);

// Names the benchmark's floor, for the performance report: the run of that family with the same
// arguments, or its only run.
inline void floorIs(benchmark::State& state, const std::string& floor) {
    state.SetLabel("floor: " + floor);
}

}  // namespace bench
