#include "platform/mvdb/SqliteKeySet.h"

#include <sqlite3.h>

#include "platform/mvdb/DbError.h"

namespace mvdb {
namespace {

// The table: SQLite's virtual table with the key set it shows.
struct Table {
    sqlite3_vtab base{};
    const SqliteKeySet* keys = nullptr;
};

// A reading of the table: the place of the row read.
struct Cursor {
    sqlite3_vtab_cursor base{};
    std::size_t row = 0;
};

const SqliteKeySet& keySetOf(sqlite3_vtab_cursor* cursor) {
    return *reinterpret_cast<Table*>(cursor->pVtab)->keys;
}

int connect(sqlite3* connection, void* keys, int, const char* const*, sqlite3_vtab** table,
            char**) {
    const int code = sqlite3_declare_vtab(connection, "CREATE TABLE x(key TEXT)");
    if (code != SQLITE_OK) return code;
    auto* made = new Table;
    made->keys = static_cast<const SqliteKeySet*>(keys);
    *table = &made->base;
    return SQLITE_OK;
}

int disconnect(sqlite3_vtab* table) {
    delete reinterpret_cast<Table*>(table);
    return SQLITE_OK;
}

// The table is read whole, in order: the join seeks each key's record.
int bestIndex(sqlite3_vtab* table, sqlite3_index_info* info) {
    const auto rows =
        static_cast<sqlite3_int64>(reinterpret_cast<Table*>(table)->keys->keys().size());
    info->estimatedRows = rows;
    info->estimatedCost = static_cast<double>(rows);
    return SQLITE_OK;
}

int open(sqlite3_vtab*, sqlite3_vtab_cursor** cursor) {
    *cursor = &(new Cursor)->base;
    return SQLITE_OK;
}

int close(sqlite3_vtab_cursor* cursor) {
    delete reinterpret_cast<Cursor*>(cursor);
    return SQLITE_OK;
}

int filter(sqlite3_vtab_cursor* cursor, int, const char*, int, sqlite3_value**) {
    reinterpret_cast<Cursor*>(cursor)->row = 0;
    return SQLITE_OK;
}

int next(sqlite3_vtab_cursor* cursor) {
    ++reinterpret_cast<Cursor*>(cursor)->row;
    return SQLITE_OK;
}

int eof(sqlite3_vtab_cursor* cursor) {
    return reinterpret_cast<Cursor*>(cursor)->row >= keySetOf(cursor).keys().size();
}

int column(sqlite3_vtab_cursor* cursor, sqlite3_context* context, int) {
    const std::string_view key = keySetOf(cursor).keys()[reinterpret_cast<Cursor*>(cursor)->row];
    sqlite3_result_text(context, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    return SQLITE_OK;
}

int rowid(sqlite3_vtab_cursor* cursor, sqlite3_int64* row) {
    *row = static_cast<sqlite3_int64>(reinterpret_cast<Cursor*>(cursor)->row);
    return SQLITE_OK;
}

// Read only, and named in queries without CREATE VIRTUAL TABLE (no xCreate).
sqlite3_module makeModule() {
    sqlite3_module module{};
    module.xConnect = connect;
    module.xBestIndex = bestIndex;
    module.xDisconnect = disconnect;
    module.xOpen = open;
    module.xClose = close;
    module.xFilter = filter;
    module.xNext = next;
    module.xEof = eof;
    module.xColumn = column;
    module.xRowid = rowid;
    return module;
}

const sqlite3_module kModule = makeModule();

}  // namespace

SqliteKeySet::SqliteKeySet(sqlite3* connection) {
    if (sqlite3_create_module(connection, "mvdb_keys", &kModule, this) != SQLITE_OK) {
        throw platform::ComponentError(kErrStorage, "La table des clés ne s'enregistre pas : « " +
                                                        std::string(sqlite3_errmsg(connection)) +
                                                        " ».");
    }
}

}  // namespace mvdb
