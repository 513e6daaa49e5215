// The floors of the screen's reads: the least work that Init and an opening need on each store,
// over raw SQLite and raw libpq on the bench databases, the screen's lines and lists built in
// plain buffers (OpeningFloor.h). The benchmarks of the screen are measured beside them.
//
// An opening reads, from one state of the store, the entity's record, then the rubrics of its
// distinct codes as a query planner would: while the codes are fewer than a fifth of the rubric
// file, by the codes themselves (in SQLite one join of the records with the codes, a table-valued
// function over them; on the server one array of keys); past that, the whole rubric file in one
// pass, each key looked up among the codes (on the server in the same statement as the record).
// Init reads each file once, cuts each record's fields once and sorts by collation keys.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchDatabase.h"
#include "floors/OpeningFloor.h"
#include "platform/mvdb/KeySort.h"

namespace bench {

class FileOpeningFloor {
public:
    explicit FileOpeningFloor(RawSqlite& raw);
    ~FileOpeningFloor();
    FileOpeningFloor(const FileOpeningFloor&) = delete;
    FileOpeningFloor& operator=(const FileOpeningFloor&) = delete;

    const OpeningFloor& open(std::string_view entity);

private:
    struct Statements;
    RawSqlite& raw_;
    OpeningFloor floor_;
    std::unique_ptr<Statements> statements_;
};

class ServerOpeningFloor {
public:
    explicit ServerOpeningFloor(RawLibpq& raw);

    // wholeFile: the record and the whole rubric file in one statement, which pays when the
    // entity's codes are a fifth of the file or more (the server cannot know before the record
    // is read: the caller, who knows the entity, tells); otherwise four requests in one
    // transaction, the rubrics sought by one array of the codes.
    const OpeningFloor& open(std::string_view entity, bool wholeFile);

private:
    RawLibpq& raw_;
    OpeningFloor floor_;
    std::string parameterFile_, rubricFile_;
};

// Init's two lists: the entities' names by name, and the open rubrics' labels by label with their
// codes as item data.
struct InitLists {
    std::vector<std::string_view> names;
    std::vector<std::string_view> labels;
    std::vector<std::int32_t> codes;
};

class FileInitFloor {
public:
    explicit FileInitFloor(RawSqlite& raw);
    ~FileInitFloor();
    FileInitFloor(const FileInitFloor&) = delete;
    FileInitFloor& operator=(const FileInitFloor&) = delete;

    const InitLists& run();

private:
    struct Span {
        std::uint32_t start, size;
    };
    // The records kept of one file: their keys and names in one text, sorted by name.
    struct Selection {
        std::string text;
        std::vector<Span> keys, names;
        std::string sortKeys;
        std::vector<mvdb::KeyedRow> order;
        std::string_view piece(Span span) const {
            return std::string_view(text).substr(span.start, span.size);
        }
    };
    // Keeps the file's records (of the rubrics: those of types 3 to 5 and not closed), sorted.
    void select(std::int64_t file, bool rubrics, Selection& selection);

    RawSqlite& raw_;
    std::int64_t entityFile_, rubricFile_;
    sqlite3_stmt* scan_;
    Selection entities_, rubrics_;
    InitLists lists_;
};

void floorOpeningFile(benchmark::State& state);
void floorOpeningServer(benchmark::State& state);
void floorInitFile(benchmark::State& state);

}  // namespace bench
