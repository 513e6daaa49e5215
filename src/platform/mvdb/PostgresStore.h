// PostgresStore: the store of a database kept by a PostgreSQL server (Store.h), which the clerks
// of an office share from several machines; its location is a postgresql:// URI, as libpq reads
// it.
//
// The server's database holds the tables mvdb_files (id, name) and mvdb_records (file, key,
// version, text), keyed by file and key, the sequence mvdb_versions that gives every write its
// version, and mvdb_history (file, key, version, deleted, written_at, written_by, replaced), where
// each write and each deletion notes itself in its own statement, with the server's time and the
// writer's name. A database of the first layout, without that table, gains it when a role that
// may write opens it. Names, keys and texts are bytea, sent and received as raw bytes, so that any
// byte is kept and sorted as the SQLite store keeps and sorts it. Every statement is prepared once
// a connection, with its values bound. A write outside a unit of work is one statement, kept or not
// whole by the server; a conditional write checks the version in the same statement.
//
// The connection: opened with a bounded wait (OpenOptions::serverTimeout), each answer awaited no
// longer, lock waits bounded by busyTimeout. A location may name several servers (a primary and
// its standbys, with target_session_attrs=read-write): the client library takes the first that
// serves. A connection that the server closed (restarted, stopped, failed over, a dropped link)
// is opened again before the next call that is not inside a unit of work. A call that finds it
// lost, or waits past its time (the request is then cancelled on the server, and the server's
// verdict awaited a little), fails with kErrServerUnavailable and wrote nothing (inside a unit,
// undid the unit); but a write sent and neither answered nor refused, the commit of a unit among
// them, fails with kErrOutcomeUnknown: it may have been kept. Messages name the user, the servers
// and the database as connected, never the password, and never a location that does not parse.
//
// Failures are DbErrors (DbError.h): kErrServerUnavailable, kErrOutcomeUnknown, kErrBadLocation,
// kErrNotADatabase (no tables of ours), kErrDatabaseExists, kErrDatabaseLocked,
// kErrDatabaseReadOnly (a write refused), kErrReadRefused (a read refused), kErrFileExists,
// kErrStorage.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mvdb/Store.h"

namespace mvdb {

class PostgresStore final : public Store {
public:
    static std::shared_ptr<PostgresStore> open(const std::string& uri, const OpenOptions& options);
    static std::shared_ptr<PostgresStore> create(const std::string& uri);
    ~PostgresStore() override;

    bool writable() override;
    const std::string& name() const override;

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

    class Connection;
    class Parameters;
    class Result;

private:
    PostgresStore(std::string uri, const OpenOptions& options);
    void runUnitStatement(UnitStatement statement) override;
    void seekRecords(FileId file, std::span<const std::string_view> keys,
                     const KeyRecordVisitor& visit) override;
    std::size_t passOverFile(FileId file, const platform::TextIndex& keys,
                             const KeyRecordVisitor& visit) override;
    std::size_t countRecords(FileId file) override;
    // Lays out the history table over a database of the first layout, unless opened read-only or
    // by a role that may not; keepsHistory_ tells whether it is there.
    void layOutHistory(bool readOnly);
    // Runs a prepared statement of the store with its parameters; answers its rows, or, withNext,
    // sends it to be answered with the next statement run, and answers none.
    Result run(int statement, const Parameters& parameters, bool withNext = false);

    std::unique_ptr<Connection> connection_;
    // The writer that the history names (OpenOptions::user); empty: the session's role.
    std::string user_;
    bool keepsHistory_ = true;
};

}  // namespace mvdb
