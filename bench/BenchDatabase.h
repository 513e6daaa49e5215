// What the benchmarks share: one database of 10,000 entities and 10,000 rubrics, made once for
// the run, and a raw SQLite connection to the same file, the floor that the database component is
// measured against.
#pragma once

#include <cstdint>
#include <string>

#include <sqlite3.h>

#include "platform/mvdb/Database.h"

namespace bench {

inline constexpr int kRecords = 10000;

// Entity keys 00000 to 09999. Rubric keys are codes that the screen can show (0 to 999), each
// thousand with one more leading zero: 0 ... 999, 00 ... 0999, 000 ...
std::string entityKey(int i);
std::string rubricKey(int i);

// The entity whose opening is measured: its code, and its parameter record of kOpenedLines lines,
// each naming five rubrics that exist, 5,000 distinct codes in all.
inline constexpr const char* kOpenedEntity = "001";
inline constexpr int kOpenedLines = 1000;
std::string openedRubric(int line, int attribute);

// The entity whose saving is measured, with lines made the same way.
inline constexpr const char* kSavedEntity = "002";
inline constexpr int kSavedLines = 10000;

// Names and labels come in an order unlike the keys', as in real files. Nine rubrics in ten are
// of the types that the screen offers, and one in twenty of them is closed. Besides the 10,000
// entities, the file holds the opened and the saved entities.
class BenchDatabase {
public:
    BenchDatabase();
    ~BenchDatabase();

    const std::string& path() const { return path_; }
    const mvdb::Database& database() const { return database_; }

private:
    std::string path_;
    mvdb::Database database_;
};

const BenchDatabase& benchDatabase();

// The entity and the rubric selections of the screen, in SQL over the stored record texts, with
// field(text, n) giving attribute n.
extern const char* const kEntitySelectionSql;
extern const char* const kRubricSelectionSql;

class RawSqlite {
public:
    RawSqlite();
    ~RawSqlite();
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;

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

}  // namespace bench
