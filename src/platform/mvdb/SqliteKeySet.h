// SqliteKeySet: the keys of a read of several records, shown to SQLite as the table
// mvdb_keys(key) of one connection, each row's rowid the key's place among the keys. One
// statement joins that table with the records, so that the engine seeks every key's record in a
// single run of the statement, instead of one run a key.
#pragma once

#include <span>
#include <string_view>

struct sqlite3;

namespace mvdb {

class SqliteKeySet {
public:
    // Registers the table on the connection, which must not outlive the key set.
    explicit SqliteKeySet(sqlite3* connection);
    SqliteKeySet(const SqliteKeySet&) = delete;
    SqliteKeySet& operator=(const SqliteKeySet&) = delete;

    // The keys that the table shows from now on; their bytes must live while it is read.
    void show(std::span<const std::string_view> keys) { keys_ = keys; }
    std::span<const std::string_view> keys() const { return keys_; }

private:
    std::span<const std::string_view> keys_;
};

}  // namespace mvdb
