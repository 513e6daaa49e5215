// The database component: Database, DbFile and DbRecord, over one SQLite file (SqliteStore.h).
//
// A Database holds named files; a file holds records, each a DynArray under a key. Database,
// DbFile and DbRecord are handles: copies share the one connection, which closes when the last
// handle goes, so a record can still be written after its file handle or the database handle
// were released. File names and keys are non-empty texts without marks, compared byte for byte.
// Records of a file come in the byte order of their keys.
//
// Failures (DbError.h): Open fails with kErrNoSuchDatabase, kErrNotADatabase or
// kErrDatabaseLocked; Create with kErrDatabaseExists; OpenFile with kErrNoSuchFile; CreateFile
// with kErrFileExists; ReadRecord with kErrNoSuchRecord for a key without record; a write with
// kErrDatabaseLocked, kErrDatabaseReadOnly (also once the file was made read-only) or
// kErrNoSuchDatabase (once the file was removed or replaced since it was opened); a bad name or
// key with kErrBadName; RunQuery as Selection.h says. Any call may fail with kErrStorage. A failed
// call changes nothing stored.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mvdb/DynArray.h"
#include "platform/mvdb/SqliteStore.h"

namespace mvdb {

class DbRecord;

// A file of the database: a handle on its records.
class DbFile {
public:
    const std::string& Name() const { return binding_->name; }
    DbRecord ReadRecord(std::string_view key) const;
    // An empty record bound to this file and key; nothing is stored until its DBWrite.
    DbRecord NewRecord(std::string_view key) const;
    // Removes the record; kErrNoSuchRecord when there is none.
    void DeleteRecord(std::string_view key) const;
    std::vector<std::string> Keys() const;
    // Visits every record in the byte order of the keys, all read from one state of the file.
    void ForEachRecord(const SqliteStore::RecordVisitor& visit) const;

private:
    friend class Database;
    friend class DbRecord;
    struct Binding {
        std::shared_ptr<SqliteStore> store;
        SqliteStore::FileId id;
        std::string name;
    };
    explicit DbFile(std::shared_ptr<const Binding> binding) : binding_(std::move(binding)) {}

    std::shared_ptr<const Binding> binding_;
};

// A record of a file: a DynArray that knows its file and its key.
class DbRecord : public DynArray {
public:
    const std::string& Key() const { return key_; }
    const DbFile& File() const { return file_; }
    // Writes the whole record to its file under its key, creating it or replacing it at once.
    void DBWrite() const;

private:
    friend class DbFile;
    DbRecord(DbFile file, std::string key, std::string text)
        : DynArray(std::move(text)), file_(std::move(file)), key_(std::move(key)) {}

    DbFile file_;
    std::string key_;
};

class Database {
public:
    static Database Open(const std::string& path, const OpenOptions& options = {});
    // Makes a new, empty database file.
    static Database Create(const std::string& path);

    const std::string& Path() const { return store_->path(); }
    DbFile OpenFile(std::string_view name) const;
    DbFile CreateFile(std::string_view name) const;
    std::vector<std::string> FileNames() const;
    // Runs a query command (Selection.h). count receives the number of records selected.
    DynArray RunQuery(std::string_view command, std::string_view option, std::int32_t& count) const;

    // A unit of work: every write made while it lives is kept by commit(), or undone whole when it
    // ends without one. Units nest.
    class Transaction {
    public:
        explicit Transaction(const Database& database);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        std::shared_ptr<SqliteStore> store_;
        bool open_ = true;
    };

private:
    explicit Database(std::shared_ptr<SqliteStore> store) : store_(std::move(store)) {}
    DbFile fileHandle(SqliteStore::FileId id, std::string_view name) const;

    std::shared_ptr<SqliteStore> store_;
};

}  // namespace mvdb
