// Store: where the database component keeps its files and records. Two stores stand behind it:
// an SQLite file on one machine (SqliteStore.h), the default, and a PostgreSQL database that
// several machines share (PostgresStore.h). Store::open picks one from the location: a
// postgresql:// or postgres:// URI names a server, anything else a file.
//
// Both keep the same contract, byte for byte: file names, keys and texts are bytes; keys come in
// byte order; a record carries the version of its last write, a number that the store never gives
// twice, so that a writer can tell whether anybody wrote the record since it was read. Every call
// that fails throws a platform::ComponentError (DbError.h) and changes nothing stored. A store is
// used by one thread at a time; the objects of the component share it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/TextIndex.h"

namespace mvdb {

// How a read of many keys (Store::readRecords) reaches their records: by a seek a key, or by one
// pass over the whole file that keeps the records of the keys asked. kChoose seeks while the keys
// are fewer than a fifth of the file's records, as a query planner would; the others force one
// way, to compare them.
enum class ManyKeysRead { kChoose, kSeek, kScan };

struct OpenOptions {
    // How long a call waits for another user's lock before it fails with kErrDatabaseLocked.
    std::chrono::milliseconds busyTimeout{3000};
    bool readOnly = false;
    // A server's longest wait: to connect, then for each answer (kErrServerUnavailable past it).
    std::chrono::milliseconds serverTimeout{10000};
    ManyKeysRead manyKeysRead = ManyKeysRead::kChoose;
    // Who works on the database, as the history names the writer of each write: the host's user,
    // the one its client object names. Empty: the operating system's user on a file, the
    // session's role on a server.
    std::string user{};
};

class Store {
public:
    using FileId = std::int64_t;
    using Version = std::int64_t;
    using RecordVisitor =
        std::function<void(std::string_view key, std::string_view text, Version version)>;
    // A record found for a key: the key's place among those asked, its text and its version.
    using KeyRecordVisitor =
        std::function<void(std::size_t key, std::string_view text, Version version)>;

    struct Record {
        std::string text;
        Version version = 0;
    };

    // What a conditional write found in place of the record it expected.
    enum class Conflict { kNone, kChanged, kDeleted, kCreated };
    struct WriteResult {
        Conflict conflict = Conflict::kNone;
        Version version = 0;  // the record's new version, when written
    };

    // One write of a record as the store remembers it: the version written, or the version
    // removed by a deletion; when (microseconds since the epoch, UTC) and by whom; and the text it
    // replaced, none when it created the record.
    struct Change {
        Version version = 0;
        std::chrono::sys_time<std::chrono::microseconds> time;
        std::string user;
        bool deleted = false;
        std::optional<std::string> replaced;
    };
    // An entry of a file's history with the key of its record.
    struct KeyedChange {
        std::string key;
        Change change;
    };
    using ChangeVisitor = std::function<void(std::string_view key, const Change& change)>;
    // A record put back as a dump gave it, at its version.
    struct VersionedRecord {
        std::string_view key;
        std::string_view text;
        Version version = 0;
    };

    enum class UnitKind {
        kWrite,  // takes the right to write at once, so that no write inside fails on a lock
        kRead    // one consistent state for every read inside, taking no write lock
    };

    static bool isServerLocation(std::string_view location);
    static std::shared_ptr<Store> open(const std::string& location, const OpenOptions& options);
    // Lays out a new, empty database: a file that did not exist, or the tables of an existing
    // server database that has none of them.
    static std::shared_ptr<Store> create(const std::string& location);
    // Removes a database file with its journal; a server's database is left as it is.
    static void remove(const std::string& location) noexcept;

    virtual ~Store() = default;
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // The location as messages name it: the file's path, or the server and its database.
    virtual const std::string& name() const = 0;
    // Whether this user may write the database: not a file or folder he may not write, not a
    // server role without the right to write its records, nor a server that takes no writes.
    virtual bool writable() = 0;

    virtual std::optional<FileId> findFile(std::string_view name) = 0;
    virtual FileId createFile(std::string_view name) = 0;
    virtual std::vector<std::string> fileNames() = 0;
    // Removes every file with its records and their history; the versions they had are never given
    // again.
    virtual void removeFiles() = 0;

    virtual std::optional<Record> readRecord(FileId file, std::string_view key) = 0;
    // Visits the record under each of the keys that has one (key: its number in the index), in
    // no given order, all from one state of the store, in a number of requests that does not grow
    // with keys on a server: by a seek a key, or by one pass over the file when the keys are many
    // (ManyKeysRead). The texts visited live until the visitor returns.
    void readRecords(FileId file, const platform::TextIndex& keys, const KeyRecordVisitor& visit);
    // Writes the record whatever is stored; answers its new version.
    virtual Version writeRecord(FileId file, std::string_view key, std::string_view text) = 0;
    // Writes the record only when it is still stored at the expected version (none: there is
    // still no record), checked and written at once; a record found stored with this very text
    // counts as written (conflictWith).
    virtual WriteResult writeRecordIf(FileId file, std::string_view key, std::string_view text,
                                      std::optional<Version> expected) = 0;
    virtual bool deleteRecord(FileId file, std::string_view key) = 0;
    // The writes and the deletion of the record, newest first, each kept by the store in the
    // transaction of its write; none on a database of an earlier layout not yet written.
    virtual std::vector<Change> history(FileId file, std::string_view key) = 0;
    // The newest of those changes, without the text it replaced, in one request; none when the
    // record has no history.
    virtual std::optional<Change> latestChange(FileId file, std::string_view key) = 0;
    // Removes the history's notes of writes and deletions made before the time, of every record,
    // in one transaction; answers how many it removed. Nothing else ever removes a note but the
    // removal of every file.
    virtual std::size_t pruneHistory(std::chrono::sys_time<std::chrono::microseconds> before) = 0;
    virtual std::vector<std::string> keys(FileId file) = 0;
    // Visits every record of the file in the byte order of the keys, from one state of the file.
    virtual void scan(FileId file, const RecordVisitor& visit) = 0;

    // Visits every entry of the file's history in one pass: by key in byte order, oldest first,
    // a write before the deletion of its version.
    virtual void scanHistory(FileId file, const ChangeVisitor& visit) = 0;
    // The highest version the store has given so far; 0 when it never gave one.
    virtual Version lastVersion() = 0;
    // Puts records back at their versions, and history entries as they were, into a file that
    // holds none of their keys, noting no write; then moves the store past the highest version
    // put back, so that it never gives one of them again.
    // REQUIRES: inside a unit of kind kWrite; keys checked; each record's history at versions
    // below its own, or its own written.
    virtual void restore(FileId file, std::span<const VersionedRecord> records,
                         std::span<const KeyedChange> history) = 0;

    // Units of work, kept or undone whole; those inside another are savepoints of the outermost.
    // REQUIRES: no write inside a unit of kind kRead.
    void begin(UnitKind kind);
    void commit();
    void rollback() noexcept;

    // The requests sent to the storage since the store was opened: statements on a server, or
    // steps of the SQLite engine's statements on a file.
    std::uint64_t requests() const { return requests_; }

protected:
    Store() = default;

    // The records of the keys, by one seek a key (Store::readRecords).
    virtual void seekRecords(FileId file, std::span<const std::string_view> keys,
                             const KeyRecordVisitor& visit) = 0;
    // The records of the keys, by one pass over the file that keeps those whose key the index
    // holds, from one state of the file; answers the number of the file's records passed over.
    virtual std::size_t passOverFile(FileId file, const platform::TextIndex& keys,
                                     const KeyRecordVisitor& visit) = 0;
    // The number of the file's records.
    virtual std::size_t countRecords(FileId file) = 0;
    // Notes the number of the file's records that a pass over it met, so that no count is needed.
    void noteFileSize(FileId file, std::size_t records) { fileSizes_[file] = records; }

    enum class UnitStatement {
        kBeginWrite,
        kBeginRead,
        kCommit,
        kRollback,
        kSavepoint,
        kRelease,
        kRollbackTo
    };
    virtual void runUnitStatement(UnitStatement statement) = 0;
    bool inUnit() const { return depth_ > 0; }
    void countRequest() { ++requests_; }
    // What a conditional write that wrote nothing answers, from the record stored in place of the
    // one it expected: a stored record that holds the very text being written is the writer's own
    // (a retry of a write whose answer was lost), which counts as written at its stored version.
    static WriteResult conflictWith(const std::optional<Record>& stored, std::string_view text,
                                    bool expectedNone);

    // Runs work in a unit of that kind, unless one is open already; answers what work answers.
    template <class Work>
    auto inOwnUnit(UnitKind kind, Work work) {
        if (inUnit()) return work();
        begin(kind);
        struct Undo {
            Store& store;
            bool done = false;
            ~Undo() {
                if (!done) store.rollback();
            }
        } undo{*this};
        auto result = work();
        commit();
        undo.done = true;
        return result;
    }

private:
    // Whether one pass over the file reads the records of that many keys sooner than their seeks.
    bool scanPays(FileId file, std::size_t keys);

    int depth_ = 0;  // units begun and not yet ended
    std::uint64_t requests_ = 0;
    ManyKeysRead manyKeysRead_ = ManyKeysRead::kChoose;
    // The number of records of each file, as last counted or passed over: the planner's estimate.
    std::unordered_map<FileId, std::size_t> fileSizes_;
};

}  // namespace mvdb
