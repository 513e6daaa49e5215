// SqliteStore: where the database component keeps its files and records, in one SQLite file.
//
// The SQLite file holds a table of file names and a table of records (file, key, text), keyed
// by file and key, so that a point read is one index look-up and a file's records come in the
// byte order of their keys. It runs in WAL mode with full synchronisation: a write is one
// transaction, and a crash or a failed write leaves every record as it was before or after it.
// Every statement is prepared once, with its values bound, never pasted into the SQL.
//
// Failures are DbErrors (DbError.h): kErrNoSuchDatabase (also for a write once the file was
// removed or replaced), kErrNotADatabase, kErrDatabaseExists, kErrDatabaseLocked (after the busy
// timeout), kErrDatabaseReadOnly (also for a write once the file was made read-only), kErrStorage.
// A store is used by one thread at a time; the objects of the component share it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;

namespace mvdb {

struct OpenOptions {
    // How long a call waits for another program's lock before it fails with kErrDatabaseLocked.
    std::chrono::milliseconds busyTimeout{3000};
    bool readOnly = false;
};

class SqliteStore {
public:
    using FileId = std::int64_t;
    using RecordVisitor = std::function<void(std::string_view key, std::string_view text)>;

    static std::shared_ptr<SqliteStore> open(const std::string& path, const OpenOptions& options);
    static std::shared_ptr<SqliteStore> create(const std::string& path);
    ~SqliteStore();
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    const std::string& path() const { return path_; }

    std::optional<FileId> findFile(std::string_view name);
    FileId createFile(std::string_view name);
    std::vector<std::string> fileNames();

    std::optional<std::string> readRecord(FileId file, std::string_view key);
    void writeRecord(FileId file, std::string_view key, std::string_view text);
    bool deleteRecord(FileId file, std::string_view key);
    std::vector<std::string> keys(FileId file);
    // Visits every record of the file in the byte order of the keys.
    void scan(FileId file, const RecordVisitor& visit);

    // Units of work, kept or undone whole. The outermost one takes the write lock at once (waiting
    // for it up to the busy timeout), so that no write inside it fails for a lock taken meanwhile;
    // those inside it are savepoints.
    void begin();
    void commit();
    void rollback() noexcept;

    class Statement;

private:
    SqliteStore(sqlite3* connection, std::string path);
    Statement& statement(int which);
    void execute(const char* sql);
    void run(int which);
    // Fails with kErrNoSuchDatabase when the path no longer leads to the file that was opened (a
    // write to a removed or replaced file would be lost), with kErrDatabaseReadOnly when the file
    // may no longer be written (made read-only since it was opened).
    void checkFileInPlace() const;

    sqlite3* connection_;
    std::string path_;
    std::pair<std::uint64_t, std::uint64_t> fileIdentity_;  // device and inode of the open file
    std::vector<std::unique_ptr<Statement>> statements_;
    int depth_ = 0;  // units of work begun and not yet ended
};

}  // namespace mvdb
