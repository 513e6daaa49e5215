// The database component: Database, DbFile and DbRecord, over a store (Store.h): an SQLite file,
// or a PostgreSQL database that several users share.
//
// A Database holds named files; a file holds records, each a DynArray under a key. Database,
// DbFile and DbRecord are handles: copies share the one connection, which closes when the last
// handle goes, so a record can still be written after its file handle or the database handle
// were released. File names and keys are non-empty texts without marks, compared byte for byte.
// Records of a file come in the byte order of their keys.
//
// Several users at once: a record remembers the version it was read at, or that there was no
// record (NewRecord). Its DBWrite stores it only when the stored record is still that one, and
// fails with kErrRecordChanged when another user changed, deleted or created it meanwhile.
// DbFile::WriteRecord and DeleteRecord act whatever is stored.
//
// Failures (DbError.h): Open fails with kErrNoSuchDatabase, kErrNotADatabase,
// kErrDatabaseLocked or kErrServerUnavailable; Create with kErrDatabaseExists; OpenFile with
// kErrNoSuchFile; CreateFile with kErrFileExists; ReadRecord with kErrNoSuchRecord for a key
// without record; ReadVersion and Revert with kErrNoSuchVersion; a write with kErrRecordChanged,
// kErrDatabaseLocked, kErrDatabaseReadOnly (also once the file was made read-only) or
// kErrNoSuchDatabase (once the file was removed or replaced since it was opened); a bad name or key
// with kErrBadName; RunQuery as Selection.h says. Any call may fail with kErrStorage, and on a
// server with kErrServerUnavailable. A failed call changes nothing stored.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TextIndex.h"
#include "platform/mvdb/DynArray.h"
#include "platform/mvdb/Store.h"

namespace mvdb {

class DbRecord;

// A file of the database: a handle on its records.
class DbFile {
public:
    const std::string& Name() const { return binding_->name; }
    DbRecord ReadRecord(std::string_view key) const;
    // The records under keys, in their order, none for a key without record (or an invalid one):
    // all from one state of the database, in a number of requests that does not grow with keys.
    std::vector<std::optional<DbRecord>> ReadRecords(std::span<const std::string> keys) const;
    // Visits the record under each of the keys that has one (key: its number in the index), in
    // no given order, all from one state of the database, in a number of requests that does not
    // grow with keys: by a seek a key while they are few against the file, else by one pass over
    // the file (OpenOptions::manyKeysRead). A key that no record can have is passed over. The
    // text visited lives until the visitor returns; RecordRead keeps it as a record.
    void ForEachRecordOf(const platform::TextIndex& keys,
                         const Store::KeyRecordVisitor& visit) const;
    // The same, for keys given one by one (key: its place among them).
    // REQUIRES: distinct keys.
    void ForEachRecordOf(std::span<const std::string_view> keys,
                         const Store::KeyRecordVisitor& visit) const;
    // The record of this file that a read visited, under that key.
    DbRecord RecordRead(std::string_view key, std::string_view text, Store::Version version) const;
    // An empty record bound to this file and key; nothing is stored until its DBWrite, which
    // expects the file to have no record under the key still.
    DbRecord NewRecord(std::string_view key) const;
    // Stores the text under the key, over whatever is stored.
    void WriteRecord(std::string_view key, std::string_view text) const;
    // Removes the record; kErrNoSuchRecord when there is none.
    void DeleteRecord(std::string_view key) const;
    // The writes and the deletions of the record under the key, newest first (Store::history).
    std::vector<Store::Change> History(std::string_view key) const;
    // The record under the key with the text written as that version, bound to the record stored
    // now (none when it is deleted), all read from one state of the database: its DBWrite writes
    // the text back as a new version, unless another user wrote the record since this read. A
    // deletion is listed under the version it removed: the version names the text written.
    // Fails with kErrNoSuchVersion when the history holds no such version, or no longer its text.
    DbRecord ReadVersion(std::string_view key, Store::Version version) const;
    // Writes the text of that version back as a new version of the record (ReadVersion, then
    // DBWrite: kErrRecordChanged when another user wrote it between the two, re-created when it
    // was deleted); answers the new version, which the history keeps as any write.
    Store::Version Revert(std::string_view key, Store::Version version) const;
    std::vector<std::string> Keys() const;
    // Visits every record in the byte order of the keys, all read from one state of the file.
    void ForEachRecord(const Store::RecordVisitor& visit) const;
    // Visits every entry of the file's history, by key, oldest first (Store::scanHistory).
    void ForEachChange(const Store::ChangeVisitor& visit) const;
    // Puts back records at their versions and history entries as a dump gave them, into a file
    // without those keys, noting no write (Store::restore); a bad key fails with kErrBadName.
    // REQUIRES: inside a Transaction.
    void Restore(std::span<const Store::VersionedRecord> records,
                 std::span<const Store::KeyedChange> history) const;

private:
    friend class Database;
    friend class DbRecord;
    struct Binding {
        std::shared_ptr<Store> store;
        Store::FileId id;
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
    // Writes the whole record to its file under its key, creating it or replacing it at once,
    // when the stored record is still the one it was read from (or there is still none); fails
    // with kErrRecordChanged otherwise. The record then remembers the version it wrote.
    void DBWrite() const;
    // The newest change of the stored record when it is no longer the one this record was read
    // from or last wrote (another user wrote or deleted it, or created it where there was none):
    // the change its DBWrite would be refused for. None otherwise, and none on a database that
    // keeps no history. One request.
    std::optional<Store::Change> ChangeSinceRead() const;

private:
    friend class DbFile;
    DbRecord(DbFile file, std::string key, std::string text, std::optional<Store::Version> version)
        : DynArray(std::move(text)),
          file_(std::move(file)),
          key_(std::move(key)),
          version_(version) {}

    DbFile file_;
    std::string key_;
    // The version of the stored record it was read from or last wrote; none while no record is.
    mutable std::optional<Store::Version> version_;
};

class Database {
public:
    // location: a file path, or a postgresql:// (postgres://) URI naming a server's database.
    static Database Open(const std::string& location, const OpenOptions& options = {});
    // Makes a new, empty database file, or lays out the tables of an existing, empty server
    // database.
    static Database Create(const std::string& location);
    // Removes a database file, with the journal that a failed write may have left beside it; what
    // is not there is no error. A server's database is left as it is.
    static void Remove(const std::string& location) noexcept { Store::remove(location); }

    // The database as messages and traces name it: the file's path, or the server's user, host,
    // port and database as connected; never a password.
    const std::string& Name() const;
    // Whether this user may only read the database: a file or folder he may not write, a server
    // role without the right to write its records, a server that takes no writes.
    bool ReadOnly() const { return !store_->writable(); }
    DbFile OpenFile(std::string_view name) const;
    DbFile CreateFile(std::string_view name) const;
    std::vector<std::string> FileNames() const;
    // Removes every file with its records and their history, leaving the database empty.
    void RemoveFiles() const { store_->removeFiles(); }
    // Removes from the history of every record the notes of the writes and deletions made before
    // the time (UTC), in one unit of work; answers how many it removed.
    std::size_t PruneHistory(std::chrono::sys_time<std::chrono::microseconds> before) const {
        return store_->pruneHistory(before);
    }
    // The highest version the database has given so far, 0 when none (Store::lastVersion).
    Store::Version LastVersion() const { return store_->lastVersion(); }
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
        std::shared_ptr<Store> store_;
        bool open_ = true;
    };

    // A reading that belongs together: every read made while it lives sees one state of the
    // database, whatever other users write meanwhile: on a file their writes wait for its end, on
    // a server they go on unseen by it. Keep it short: it must not live across a question to the
    // user.
    // REQUIRES: no write while it lives.
    class Snapshot {
    public:
        explicit Snapshot(const Database& database);
        ~Snapshot();
        Snapshot(const Snapshot&) = delete;
        Snapshot& operator=(const Snapshot&) = delete;

    private:
        std::shared_ptr<Store> store_;
    };

    // The requests sent to the storage since the database was opened (Store::requests).
    std::uint64_t Requests() const { return store_->requests(); }

private:
    explicit Database(std::shared_ptr<Store> store) : store_(std::move(store)) {}
    DbFile fileHandle(Store::FileId id, std::string_view name) const;

    std::shared_ptr<Store> store_;
};

}  // namespace mvdb
