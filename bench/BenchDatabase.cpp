#include "BenchDatabase.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <tuple>

#include <unistd.h>

#include "platform/mvdb/Marks.h"
#include "support/PostgresServer.h"

namespace bench {
namespace {

// SQL's field(text, n): attribute n of a record's text.
void field(sqlite3_context* context, int, sqlite3_value** arguments) {
    const auto* text = static_cast<const char*>(sqlite3_value_blob(arguments[0]));
    const std::string_view record(text ? text : "", sqlite3_value_bytes(arguments[0]));
    const std::string_view piece =
        mvdb::nthPiece(record, mvdb::kAttributeMark, sqlite3_value_int(arguments[1]));
    sqlite3_result_text(context, piece.data(), static_cast<int>(piece.size()), SQLITE_TRANSIENT);
}

// An entity of that code and its parameter record of that many lines.
void writeEntity(const mvdb::DbFile& entities, const mvdb::DbFile& parameters,
                 const std::string& code, const std::string& name, int lineCount) {
    mvdb::DbRecord entity = entities.NewRecord(code);
    entity.Replace(1, 0, 0, name);
    entity.DBWrite();
    mvdb::DbRecord lines = parameters.NewRecord(code);
    for (int line = 1; line <= lineCount; ++line) {
        for (int attribute = 5; attribute <= 9; ++attribute)
            lines.Replace(attribute, line, 0, lineRubric(line, attribute));
    }
    lines.DBWrite();
}

// The number that gives the i-th record of count its name or label, in an order unlike the keys'.
std::string shuffled(int i, int count) {
    return std::to_string(static_cast<long long>(i) * 7919 % count);
}

std::string rubricType(int i) {
    return i % 10 == 9 ? "6" : std::to_string(3 + i % 3);
}

}  // namespace

std::string entityKey(int i) {
    const std::string key = std::to_string(i);
    return std::string(key.size() < 5 ? 5 - key.size() : 0, '0') + key;
}

std::string rubricKey(int i) {
    return std::string(i / 1000, '0') + std::to_string(i % 1000);
}

std::string linesEntity(int lines) {
    int steps = 0;
    for (; lines > 1; lines /= 10)
        ++steps;
    return "01" + std::to_string(steps);
}

std::string lineRubric(int line, int attribute) {
    return rubricKey(((line - 1) * 5 + attribute - 5) % 10000);
}

namespace {

// The run's PostgreSQL server, made at its first use and stopped at the end of the run.
test_support::PostgresServer& benchServer() {
    static test_support::PostgresServer server(test_support::PostgresServer::privateFolder(), true);
    return server;
}

std::string newLocation(Sizes sizes, Store store) {
    if (store == Store::kServer) return benchServer().newDatabase();
    return std::filesystem::temp_directory_path() /
           ("ostrevan-bench-" + std::to_string(::getpid()) + "-" + std::to_string(sizes.entities) +
            "-" + std::to_string(sizes.rubrics) + ".mvdb");
}

}  // namespace

BenchDatabase::BenchDatabase(Sizes sizes, Store store)
    : store_(store),
      location_(newLocation(sizes, store)),
      database_(mvdb::Database::Create(location_)) {
    mvdb::Database::Transaction fill(database_);
    const mvdb::DbFile entities = database_.CreateFile("ASSOCIATION");
    const mvdb::DbFile rubrics = database_.CreateFile("RUBSAISIE");
    const mvdb::DbFile parameters = database_.CreateFile("TPSPARAMBASCUL");
    for (int i = 0; i < sizes.entities; ++i) {
        mvdb::DbRecord entity = entities.NewRecord(entityKey(i));
        entity.Replace(1, 0, 0, "Association d'aide à domicile n° " + shuffled(i, sizes.entities));
        entity.Replace(2, 0, 0, std::to_string(i) + " rue des Tilleuls");
        entity.Replace(38, 0, 0, "TLG");
        entity.DBWrite();
    }
    for (int i = 0; i < sizes.rubrics; ++i) {
        mvdb::DbRecord rubric = rubrics.NewRecord(rubricKey(i));
        rubric.Replace(1, 0, 0, "Heures majorées " + shuffled(i, sizes.rubrics));
        rubric.Replace(2, 0, 0, rubricType(i));
        rubric.Replace(18, 0, 0, i % 20 == 0 ? "31/12/2024" : "");
        rubric.DBWrite();
    }
    for (const int lines : kLineCounts)
        writeEntity(entities, parameters, linesEntity(lines), "Association aux lignes", lines);
    fill.commit();
    // The server's statistics made now, so that no background vacuum runs during the benchmarks.
    if (store == Store::kServer)
        test_support::PostgresServer::Session(location_).run("VACUUM ANALYZE");
}

BenchDatabase::~BenchDatabase() {
    mvdb::Database::Remove(location_);  // a server's database goes with the server's folder
}

const BenchDatabase& benchDatabase(Sizes sizes, Store store) {
    static std::map<std::pair<Sizes, Store>, std::unique_ptr<BenchDatabase>> databases;
    std::unique_ptr<BenchDatabase>& database = databases[{sizes, store}];
    if (!database) database = std::make_unique<BenchDatabase>(sizes, store);
    return *database;
}

void registerOnEachStore(const std::string& name, void (*run)(benchmark::State&, Store),
                         const std::array<Floor, 2>& floors,
                         const std::function<void(benchmark::internal::Benchmark*)>& settings) {
    for (const Store store : kStores) {
        settings(benchmark::RegisterBenchmark((name + "_" + storeName(store)).c_str(), run, store));
        const Floor& floor = floors[static_cast<std::size_t>(store)];
        settings(benchmark::RegisterBenchmark(floor.name, floor.run));
    }
}
void stepEntitiesAndRubrics(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"entities", "rubrics"});
    for (const int entities : {100, 1000, 10000})
        benchmark->Args({entities, 10000});
    for (const int rubrics : {100, 1000})
        benchmark->Args({10000, rubrics});
}

Sizes sizesOf(const benchmark::State& state) {
    return {static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
}

void stepLines(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("lines");
    for (const int lines : kLineCounts)
        benchmark->Arg(lines);
}

const char* const kEntitySelectionSql =
    "SELECT key, field(text, 1), field(text, 38) FROM records WHERE file = ?1 ORDER BY 2, key";
const char* const kRubricSelectionSql =
    "SELECT key, field(text, 1), field(text, 2), field(text, 18) FROM records"
    " WHERE file = ?1 AND field(text, 2) IN ('3', '4', '5') ORDER BY 2, key";

RawSqlite::RawSqlite(Sizes sizes) {
    sqlite3_open_v2(benchDatabase(sizes).location().c_str(), &connection_, SQLITE_OPEN_READWRITE,
                    nullptr);
    sqlite3_create_function(connection_, "field", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            &field, nullptr, nullptr);
}

RawSqlite::~RawSqlite() {
    sqlite3_finalize(statement_);
    sqlite3_close(connection_);
}

sqlite3_stmt* RawSqlite::prepare(const char* sql) {
    sqlite3_finalize(statement_);
    sqlite3_prepare_v2(connection_, sql, -1, &statement_, nullptr);
    return statement_;
}

std::int64_t RawSqlite::fileId(const char* name) {
    sqlite3_stmt* find = prepare("SELECT id FROM files WHERE name = ?1");
    sqlite3_bind_text(find, 1, name, -1, SQLITE_STATIC);
    sqlite3_step(find);
    return sqlite3_column_int64(find, 0);
}

std::string RawSqlite::selection(const char* file, const char* sql, int columns, int& rows) {
    const std::int64_t id = fileId(file);
    sqlite3_stmt* select = prepare(sql);
    sqlite3_bind_int64(select, 1, id);
    std::string result;
    rows = 0;
    while (sqlite3_step(select) == SQLITE_ROW) {
        if (rows++ > 0) result += mvdb::kAttributeMark;
        for (int column = 0; column < columns; ++column) {
            if (column > 0) result += mvdb::kValueMark;
            result += columnText(select, column);
        }
    }
    return result;
}

std::string columnText(sqlite3_stmt* statement, int column) {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
    return bytes ? std::string(bytes, sqlite3_column_bytes(statement, column)) : std::string();
}

RawLibpq::RawLibpq(Sizes sizes)
    : connection_(PQconnectdb(benchDatabase(sizes, Store::kServer).location().c_str())) {
    prepare("file", "SELECT id FROM mvdb_files WHERE name = $1");
}

RawLibpq::~RawLibpq() {
    PQclear(result_);
    PQfinish(connection_);
}

void RawLibpq::prepare(const char* name, const char* sql) {
    PQclear(PQprepare(connection_, name, sql, 0, nullptr));
}

const PGresult* RawLibpq::run(const char* name, const std::vector<std::string_view>& parameters,
                              const std::vector<int>& binary) {
    std::vector<const char*> values;
    std::vector<int> lengths;
    std::vector<std::string> texts;
    texts.reserve(parameters.size());
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const bool isBinary = i < binary.size() && binary[i];
        values.push_back(isBinary ? parameters[i].data()
                                  : texts.emplace_back(parameters[i]).c_str());
        lengths.push_back(static_cast<int>(parameters[i].size()));
    }
    std::vector<int> formats(binary);
    formats.resize(parameters.size());
    PQclear(result_);
    result_ = PQexecPrepared(connection_, name, static_cast<int>(values.size()), values.data(),
                             lengths.data(), formats.data(), 1);
    return result_;
}

std::int64_t RawLibpq::fileId(const char* name) {
    const std::string_view id = valueOf(run("file", {name}, {1}), 0, 0);
    std::uint64_t value = 0;
    for (const char byte : id)
        value = value << 8 | static_cast<unsigned char>(byte);
    return static_cast<std::int64_t>(value);
}

std::string RawLibpq::selection(const char* file, const char* name, int columns, int& rows) {
    const std::string id = std::to_string(fileId(file));
    const PGresult* select = run(name, {id});
    std::string result;
    rows = PQntuples(select);
    for (int row = 0; row < rows; ++row) {
        if (row > 0) result += mvdb::kAttributeMark;
        for (int column = 0; column < columns; ++column) {
            if (column > 0) result += mvdb::kValueMark;
            result += valueOf(select, row, column);
        }
    }
    return result;
}

std::string selectFields(const PGresult* records, const std::vector<int>& fields, int filter,
                         const std::vector<std::string_view>& values) {
    struct Row {
        std::string_view key;
        std::vector<std::string_view> fields;
    };
    std::vector<Row> rows;
    for (int record = 0; record < PQntuples(records); ++record) {
        const std::string_view text = valueOf(records, record, 1);
        if (!values.empty() &&
            std::find(values.begin(), values.end(),
                      mvdb::nthPiece(text, mvdb::kAttributeMark, filter)) == values.end())
            continue;
        Row& row = rows.emplace_back(Row{valueOf(records, record, 0), {}});
        for (const int field : fields)
            row.fields.push_back(mvdb::nthPiece(text, mvdb::kAttributeMark, field));
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return std::tie(a.fields[0], a.key) < std::tie(b.fields[0], b.key);
    });
    std::string result;
    for (const Row& row : rows) {
        if (!result.empty()) result += mvdb::kAttributeMark;
        result += row.key;
        for (const std::string_view field : row.fields)
            (result += mvdb::kValueMark) += field;
    }
    return result;
}

std::string_view valueOf(const PGresult* result, int row, int column) {
    return {PQgetvalue(result, row, column),
            static_cast<std::size_t>(PQgetlength(result, row, column))};
}

}  // namespace bench
