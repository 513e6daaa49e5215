#include "floors/ReadingFloors.h"

#include <algorithm>
#include <cstring>

#include "platform/mvdb/Collation.h"
#include "platform/mvdb/Marks.h"

namespace bench {
namespace {

// Past this share of the rubric file, one pass over the file reads less than the codes' seeks.
constexpr std::size_t kScanShare = 5;

bool scanPays(std::size_t codes, std::size_t rubrics) {
    return codes * kScanShare >= rubrics;
}

std::string_view blobOf(sqlite3_stmt* statement, int column) {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
    return {bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(statement, column))};
}

sqlite3_stmt* prepared(sqlite3* connection, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v3(connection, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    return statement;
}

// The table-valued function floor_codes(code): the distinct codes of the opening in progress,
// the row number being the code's index, so that one join reads their rubrics.
struct CodesCursor {
    sqlite3_vtab_cursor base;
    std::size_t index;
};

const OpeningFloor* codesShown = nullptr;

int connectCodes(sqlite3* connection, void*, int, const char* const*, sqlite3_vtab** table,
                 char**) {
    const int declared = sqlite3_declare_vtab(connection, "CREATE TABLE x(code TEXT)");
    if (declared != SQLITE_OK) return declared;
    *table = static_cast<sqlite3_vtab*>(sqlite3_malloc(sizeof(sqlite3_vtab)));
    std::memset(*table, 0, sizeof(sqlite3_vtab));
    return SQLITE_OK;
}

int disconnectCodes(sqlite3_vtab* table) {
    sqlite3_free(table);
    return SQLITE_OK;
}

int planCodes(sqlite3_vtab*, sqlite3_index_info* plan) {
    plan->estimatedCost = 10;  // scanned first, each code then sought in the records
    return SQLITE_OK;
}

int openCodes(sqlite3_vtab*, sqlite3_vtab_cursor** cursor) {
    auto* codes = static_cast<CodesCursor*>(sqlite3_malloc(sizeof(CodesCursor)));
    std::memset(codes, 0, sizeof(CodesCursor));
    *cursor = &codes->base;
    return SQLITE_OK;
}

int closeCodes(sqlite3_vtab_cursor* cursor) {
    sqlite3_free(cursor);
    return SQLITE_OK;
}

int filterCodes(sqlite3_vtab_cursor* cursor, int, const char*, int, sqlite3_value**) {
    reinterpret_cast<CodesCursor*>(cursor)->index = 0;
    return SQLITE_OK;
}

int nextCode(sqlite3_vtab_cursor* cursor) {
    ++reinterpret_cast<CodesCursor*>(cursor)->index;
    return SQLITE_OK;
}

int codesEnd(sqlite3_vtab_cursor* cursor) {
    return reinterpret_cast<CodesCursor*>(cursor)->index >= codesShown->codeCount();
}

int codeColumn(sqlite3_vtab_cursor* cursor, sqlite3_context* context, int) {
    const std::string_view code = codesShown->code(reinterpret_cast<CodesCursor*>(cursor)->index);
    sqlite3_result_text(context, code.data(), static_cast<int>(code.size()), SQLITE_STATIC);
    return SQLITE_OK;
}

int codeRow(sqlite3_vtab_cursor* cursor, sqlite3_int64* row) {
    *row = static_cast<sqlite3_int64>(reinterpret_cast<CodesCursor*>(cursor)->index);
    return SQLITE_OK;
}

sqlite3_module codesModule() {
    sqlite3_module module{};
    module.xConnect = connectCodes;
    module.xBestIndex = planCodes;
    module.xDisconnect = disconnectCodes;
    module.xOpen = openCodes;
    module.xClose = closeCodes;
    module.xFilter = filterCodes;
    module.xNext = nextCode;
    module.xEof = codesEnd;
    module.xColumn = codeColumn;
    module.xRowid = codeRow;
    return module;
}

// The keys as a one-dimension bytea[] in the server's binary array format.
std::string byteaArray(const OpeningFloor& floor) {
    std::string array;
    const auto append = [&](std::uint32_t number) {
        for (int shift = 24; shift >= 0; shift -= 8)
            array += static_cast<char>(number >> shift & 0xFF);
    };
    for (const std::uint32_t header :
         {1u, 0u, 17u, static_cast<std::uint32_t>(floor.codeCount()), 1u})
        append(header);
    for (std::size_t index = 0; index < floor.codeCount(); ++index) {
        append(static_cast<std::uint32_t>(floor.code(index).size()));
        array += floor.code(index);
    }
    return array;
}

// Attribute n (from 1) of a record, cut by one pass over its bytes.
std::string_view attributeOf(std::string_view text, int n) {
    std::size_t start = 0;
    for (int attribute = 1; attribute < n; ++attribute) {
        const std::size_t mark = text.find(mvdb::kAttributeMark, start);
        if (mark == std::string_view::npos) return {};
        start = mark + 1;
    }
    return text.substr(start, text.find(mvdb::kAttributeMark, start) - start);
}

}  // namespace

struct FileOpeningFloor::Statements {
    sqlite3_stmt* begin;
    sqlite3_stmt* commit;
    sqlite3_stmt* record;
    sqlite3_stmt* join;
    sqlite3_stmt* scan;
    std::int64_t parameterFile, rubricFile;
    std::size_t rubricCount;
};

FileOpeningFloor::FileOpeningFloor(RawSqlite& raw) : raw_(raw), statements_(new Statements{}) {
    static const sqlite3_module module = codesModule();
    sqlite3* connection = raw.connection();
    sqlite3_create_module(connection, "floor_codes", &module, nullptr);
    Statements& s = *statements_;
    s.parameterFile = raw.fileId("TPSPARAMBASCUL");
    s.rubricFile = raw.fileId("RUBSAISIE");
    sqlite3_stmt* count = raw.prepare("SELECT count(*) FROM records WHERE file = ?1");
    sqlite3_bind_int64(count, 1, s.rubricFile);
    sqlite3_step(count);
    s.rubricCount = static_cast<std::size_t>(sqlite3_column_int64(count, 0));
    s.begin = prepared(connection, "BEGIN");
    s.commit = prepared(connection, "COMMIT");
    s.record = prepared(connection, "SELECT text FROM records WHERE file = ?1 AND key = ?2");
    s.join = prepared(connection,
                      "SELECT c.rowid, r.text FROM floor_codes c CROSS JOIN records r"
                      " WHERE r.file = ?1 AND r.key = c.code");
    s.scan = prepared(connection, "SELECT key, text FROM records WHERE file = ?1");
}

FileOpeningFloor::~FileOpeningFloor() {
    for (sqlite3_stmt* statement : {statements_->begin, statements_->commit, statements_->record,
                                    statements_->join, statements_->scan})
        sqlite3_finalize(statement);
}

const OpeningFloor& FileOpeningFloor::open(std::string_view entity) {
    Statements& s = *statements_;
    sqlite3_step(s.begin);
    sqlite3_reset(s.begin);
    sqlite3_bind_int64(s.record, 1, s.parameterFile);
    sqlite3_bind_text(s.record, 2, entity.data(), static_cast<int>(entity.size()), SQLITE_STATIC);
    floor_.cut(sqlite3_step(s.record) == SQLITE_ROW ? blobOf(s.record, 0) : std::string_view());
    sqlite3_reset(s.record);
    if (scanPays(floor_.codeCount(), s.rubricCount)) {
        sqlite3_bind_int64(s.scan, 1, s.rubricFile);
        while (sqlite3_step(s.scan) == SQLITE_ROW) {
            const std::int64_t index = floor_.find(blobOf(s.scan, 0));
            if (index >= 0) floor_.setLabel(static_cast<std::size_t>(index), blobOf(s.scan, 1));
        }
        sqlite3_reset(s.scan);
    } else {
        codesShown = &floor_;
        sqlite3_bind_int64(s.join, 1, s.rubricFile);
        while (sqlite3_step(s.join) == SQLITE_ROW)
            floor_.setLabel(static_cast<std::size_t>(sqlite3_column_int64(s.join, 0)),
                            blobOf(s.join, 1));
        sqlite3_reset(s.join);
    }
    sqlite3_step(s.commit);
    sqlite3_reset(s.commit);
    floor_.build();
    return floor_;
}

ServerOpeningFloor::ServerOpeningFloor(RawLibpq& raw)
    : raw_(raw),
      parameterFile_(std::to_string(raw.fileId("TPSPARAMBASCUL"))),
      rubricFile_(std::to_string(raw.fileId("RUBSAISIE"))) {
    raw.prepare("begin", "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    raw.prepare("commit", "COMMIT");
    raw.prepare("record", "SELECT text FROM mvdb_records WHERE file = $1 AND key = $2");
    raw.prepare("labels", "SELECT key, text FROM mvdb_records WHERE file = $1 AND key = ANY ($2)");
    // One statement, one state of the store: the record first, then the whole rubric file.
    raw.prepare("whole",
                "SELECT 0, key, text FROM mvdb_records WHERE file = $1 AND key = $2 UNION ALL"
                " SELECT 1, key, text FROM mvdb_records WHERE file = $3");
}

const OpeningFloor& ServerOpeningFloor::open(std::string_view entity, bool wholeFile) {
    if (wholeFile) {
        const PGresult* whole = raw_.run("whole", {parameterFile_, entity, rubricFile_}, {0, 1, 0});
        const bool found =
            PQntuples(whole) > 0 && valueOf(whole, 0, 0) == std::string_view("\0\0\0\0", 4);
        floor_.cut(found ? valueOf(whole, 0, 2) : std::string_view());
        for (int row = found ? 1 : 0; row < PQntuples(whole); ++row) {
            const std::int64_t index = floor_.find(valueOf(whole, row, 1));
            if (index >= 0)
                floor_.setLabel(static_cast<std::size_t>(index), valueOf(whole, row, 2));
        }
    } else {
        raw_.run("begin", {});
        const PGresult* record = raw_.run("record", {parameterFile_, entity}, {0, 1});
        floor_.cut(PQntuples(record) > 0 ? valueOf(record, 0, 0) : std::string_view());
        const std::string keys = byteaArray(floor_);
        const PGresult* labels = raw_.run("labels", {rubricFile_, keys}, {0, 1});
        for (int row = 0; row < PQntuples(labels); ++row) {
            const std::int64_t index = floor_.find(valueOf(labels, row, 0));
            if (index >= 0)
                floor_.setLabel(static_cast<std::size_t>(index), valueOf(labels, row, 1));
        }
        raw_.run("commit", {});
    }
    floor_.build();
    return floor_;
}

FileInitFloor::FileInitFloor(RawSqlite& raw)
    : raw_(raw),
      entityFile_(raw.fileId("ASSOCIATION")),
      rubricFile_(raw.fileId("RUBSAISIE")),
      scan_(prepared(raw.connection(), "SELECT key, text FROM records WHERE file = ?1")) {}

FileInitFloor::~FileInitFloor() {
    sqlite3_finalize(scan_);
}

void FileInitFloor::select(std::int64_t file, bool rubrics, Selection& selection) {
    // Each file in a read transaction of its own, as Init reads them.
    sqlite3_exec(raw_.connection(), "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* scan = scan_;
    sqlite3_bind_int64(scan, 1, file);
    selection.text.clear();
    selection.keys.clear();
    selection.names.clear();
    while (sqlite3_step(scan) == SQLITE_ROW) {
        const std::string_view text = blobOf(scan, 1);
        if (rubrics) {
            const std::string_view type = attributeOf(text, 2);
            const bool offered = type.size() == 1 && type[0] >= '3' && type[0] <= '5';
            if (!offered || !attributeOf(text, 18).empty()) continue;
        }
        const std::string_view key = blobOf(scan, 0);
        const std::string_view name = attributeOf(text, 1);
        const auto size = [](std::string_view piece) {
            return static_cast<std::uint32_t>(piece.size());
        };
        selection.keys.push_back({static_cast<std::uint32_t>(selection.text.size()), size(key)});
        selection.text += key;
        selection.names.push_back({static_cast<std::uint32_t>(selection.text.size()), size(name)});
        selection.text += name;
    }
    sqlite3_reset(scan);
    sqlite3_exec(raw_.connection(), "COMMIT", nullptr, nullptr, nullptr);
    std::vector<std::size_t> ends;
    selection.sortKeys.clear();
    for (const Span name : selection.names) {
        mvdb::appendCollationKey(selection.piece(name), selection.sortKeys);
        ends.push_back(selection.sortKeys.size());
    }
    selection.order.resize(ends.size());
    for (std::uint32_t row = 0; row < ends.size(); ++row) {
        const std::size_t start = row == 0 ? 0 : ends[row - 1];
        selection.order[row] = {
            std::string_view(selection.sortKeys).substr(start, ends[row] - start), row};
    }
    mvdb::sortByKeys(selection.order, [](std::uint32_t a, std::uint32_t b) { return a < b; });
}

const InitLists& FileInitFloor::run() {
    select(entityFile_, false, entities_);
    select(rubricFile_, true, rubrics_);
    lists_.names.clear();
    for (const mvdb::KeyedRow& row : entities_.order)
        lists_.names.push_back(entities_.piece(entities_.names[row.row]));
    lists_.labels.clear();
    lists_.codes.clear();
    for (const mvdb::KeyedRow& row : rubrics_.order) {
        const std::string_view key = rubrics_.piece(rubrics_.keys[row.row]);
        // A code is a key of digits whose number is 0 to 999, leading zeros or not.
        std::int32_t code = 0;
        bool digits = !key.empty();
        for (const char digit : key) {
            digits = digits && digit >= '0' && digit <= '9';
            code = std::min(code * 10 + (digit - '0'), 1000);
        }
        digits = digits && code <= 999;
        if (!digits) continue;
        lists_.labels.push_back(rubrics_.piece(rubrics_.names[row.row]));
        lists_.codes.push_back(code);
    }
    return lists_;
}

void floorOpeningFile(benchmark::State& state) {
    const std::string entity = linesEntity(static_cast<int>(state.range(0)));
    RawSqlite raw;
    FileOpeningFloor floor(raw);
    for (auto _ : state)
        benchmark::DoNotOptimize(floor.open(entity).lineCount());
}

void floorOpeningServer(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const std::string entity = linesEntity(lines);
    RawLibpq raw;
    ServerOpeningFloor floor(raw);
    // Each line of the bench's entities names five rubrics of its own, among 10,000.
    const bool wholeFile = lines * 5 * 5 >= Sizes{}.rubrics;
    for (auto _ : state)
        benchmark::DoNotOptimize(floor.open(entity, wholeFile).lineCount());
}

void floorInitFile(benchmark::State& state) {
    RawSqlite raw(sizesOf(state));
    FileInitFloor floor(raw);
    for (auto _ : state)
        benchmark::DoNotOptimize(floor.run().names.size());
}

}  // namespace bench
