// SqliteStore: the store of a database kept in one SQLite file (Store.h), for one machine.
//
// The SQLite file holds a table of file names and a table of records (file, key, version, text),
// keyed by file and key, so that a point read is one index look-up and a file's records come in
// the byte order of their keys. A write is one statement, which checks the version it expects,
// with the reading of the text it replaces and its note in the history table: one transaction
// with full synchronisation, so that a crash or a failed write leaves every record, and its
// history, as it was before or after it. Every statement is prepared once, with its values bound,
// never pasted into the SQL. The records of several keys come from one statement that joins the
// records with the keys, shown to the engine as a table (SqliteKeySet.h).
//
// Shared folders: the file keeps a rollback journal, which only a writer makes, beside the file,
// for the time of its write. A reader leaves nothing behind that another user would have to
// write, and a user who may not write the file, or its folder, opens it for reading only, so
// that a colleague who may only read can view it without blocking its owner. A file that an
// earlier version kept with a write-ahead log is brought to the rollback journal when a writer
// opens it alone. A file of the first layout, which kept no versions, is laid out anew in place
// when it is first opened for writing; read-only, its records read as version 0. A file of the
// second layout, which kept no history, gains its history table when first opened for writing.
//
// History: each write and each deletion of a record notes, in the same transaction, the version
// written or removed, the text replaced, the machine's time (UTC) and the user (OpenOptions::user),
// by default the operating system's.
//
// Failures are DbErrors (DbError.h): kErrNoSuchDatabase (also for a write once the file was
// removed or replaced), kErrNotADatabase, kErrDatabaseExists, kErrDatabaseLocked (after the busy
// timeout), kErrDatabaseReadOnly (also for a write once the file was made read-only),
// kErrNeedsWriter (a user who may only read, on a file that a writer must open first: a write
// interrupted, or a write-ahead log to convert), kErrStorage.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/mvdb/SqliteKeySet.h"
#include "platform/mvdb/Store.h"

struct sqlite3;

namespace mvdb {

class SqliteStore final : public Store {
public:
    static std::shared_ptr<SqliteStore> open(const std::string& path, const OpenOptions& options);
    static std::shared_ptr<SqliteStore> create(const std::string& path);
    // Removes the file and the journal that a failed write may have left beside it; what is not
    // there is no error.
    static void remove(const std::string& path) noexcept;
    ~SqliteStore() override;

    bool writable() override;
    const std::string& name() const override { return path_; }

    std::optional<FileId> findFile(std::string_view name) override;
    FileId createFile(std::string_view name) override;
    std::vector<std::string> fileNames() override;
    void removeFiles() override;

    std::optional<Record> readRecord(FileId file, std::string_view key) override;
    Version writeRecord(FileId file, std::string_view key, std::string_view text) override;
    WriteResult writeRecordIf(FileId file, std::string_view key, std::string_view text,
                              std::optional<Version> expected) override;
    bool deleteRecord(FileId file, std::string_view key) override;
    std::vector<Change> history(FileId file, std::string_view key) override;
    std::optional<Change> latestChange(FileId file, std::string_view key) override;
    std::size_t pruneHistory(std::chrono::sys_time<std::chrono::microseconds> before) override;
    std::vector<std::string> keys(FileId file) override;
    void scan(FileId file, const RecordVisitor& visit) override;
    void scanHistory(FileId file, const ChangeVisitor& visit) override;
    Version lastVersion() override;
    void restore(FileId file, std::span<const VersionedRecord> records,
                 std::span<const KeyedChange> history) override;

    class Statement;

private:
    // user: the one the history notes with each write.
    SqliteStore(sqlite3* connection, std::string path, std::string user);
    void runUnitStatement(UnitStatement statement) override;
    void seekRecords(FileId file, std::span<const std::string_view> keys,
                     const KeyRecordVisitor& visit) override;
    std::size_t passOverFile(FileId file, const platform::TextIndex& keys,
                             const KeyRecordVisitor& visit) override;
    std::size_t countRecords(FileId file) override;
    Statement& statement(int which);
    void execute(const char* sql);
    void run(int which);
    // Brings a file of the first layout to the current one, or reads it as it is when it may not
    // be written.
    void upgradeLayout(int layout, bool readOnly);
    void leaveWriteAheadLog();
    // Runs a write statement of the text, over the expected version when there is one; answers
    // the version written, none when the statement found nothing to write.
    std::optional<Version> write(int which, FileId file, std::string_view key,
                                 std::string_view text, std::optional<Version> expected);
    // Notes a write (or a deletion) of the record in the history, in the write's transaction.
    void noteChange(FileId file, std::string_view key, Version version, bool deleted,
                    std::optional<std::string_view> replaced);
    // Puts an entry in the history as given: time in microseconds since the epoch.
    void insertChange(FileId file, std::string_view key, Version version, bool deleted,
                      std::int64_t time, std::string_view user,
                      std::optional<std::string_view> replaced);
    // Fails with kErrNoSuchDatabase when the path no longer leads to the file that was opened (a
    // write to a removed or replaced file would be lost), with kErrDatabaseReadOnly when the file
    // may no longer be written (made read-only since it was opened).
    void checkFileInPlace() const;

    sqlite3* connection_;
    std::string path_;
    std::pair<std::uint64_t, std::uint64_t> fileIdentity_;  // device and inode of the open file
    std::string user_;          // noted with each write (OpenOptions::user)
    bool keepsHistory_ = true;  // false on a file of an earlier layout opened read-only
    SqliteKeySet keySet_;       // the keys of the read of several records under way
    std::vector<std::unique_ptr<Statement>> statements_;
};

}  // namespace mvdb
