#include "platform/mvdb/SqliteStore.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <pwd.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/mvdb/DbError.h"
#include "platform/mvdb/SqliteKeySet.h"

namespace mvdb {
namespace {

constexpr int kApplicationId = 0x4D564442;  // "MVDB", in the SQLite file's header
// The layouts of the file: 1 kept no versions; 2 keeps a version in each record, before its text
// so that checking a version reads none of the text. A write raises its record's version by one;
// a record made anew starts above the highest version of any record removed so far (retired), so
// that the versions of one key never repeat, even across a removal. 3 keeps the history of the
// writes: each write and each deletion notes the version, the text replaced, the time and the
// user, in the transaction of the write.
constexpr int kFirstLayout = 1;
constexpr int kVersionsLayout = 2;
constexpr int kLayout = 3;

constexpr const char* kTables =
    "CREATE TABLE files (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);"
    "CREATE TABLE records (file INTEGER NOT NULL REFERENCES files (id), key TEXT NOT NULL,"
    " version INTEGER NOT NULL, text BLOB NOT NULL, PRIMARY KEY (file, key)) WITHOUT ROWID;"
    "CREATE TABLE versions (retired INTEGER NOT NULL);";
// A deletion notes the version it removed, which its write noted too.
constexpr const char* kHistoryTable =
    "CREATE TABLE history (file INTEGER NOT NULL, key TEXT NOT NULL, version INTEGER NOT NULL,"
    " deleted INTEGER NOT NULL, time INTEGER NOT NULL, user TEXT NOT NULL, replaced BLOB,"
    " PRIMARY KEY (file, key, version, deleted)) WITHOUT ROWID;"
    "PRAGMA user_version = 3;";
constexpr const char* kSchema =
    "BEGIN;"
    "PRAGMA application_id = 1297499202;";
constexpr const char* kFirstVersions = "INSERT INTO versions VALUES (0);COMMIT;";
// The records of the first layout keep their texts and all read as version 0, as they did.
constexpr const char* kUpgrade =
    "BEGIN IMMEDIATE;"
    "ALTER TABLE records RENAME TO records_1;"
    "ALTER TABLE files RENAME TO files_1;";
constexpr const char* kUpgradeCopy =
    "INSERT INTO files SELECT id, name FROM files_1;"
    "INSERT INTO records SELECT file, key, 0, text FROM records_1;"
    "DROP TABLE records_1;"
    "DROP TABLE files_1;"
    "INSERT INTO versions VALUES (0);"
    "COMMIT;";
// A file of the first layout that may not be written reads through a view of its own connection.
constexpr const char* kFirstLayoutView =
    "CREATE TEMP VIEW records AS SELECT file, key, 0 AS version, text FROM main.records";
static_assert(kApplicationId == 1297499202);

enum StatementId {
    kReadHeader,
    kFindFile,
    kCreateFile,
    kFileNames,
    kReadRecord,
    kReadKeys,
    kReadFile,
    kCountRecords,
    kWriteRecord,
    kUpdateIf,
    kInsertIfNone,
    kDeleteRecord,
    kRetire,
    kNoteChange,
    kHistory,
    kLatestChange,
    kPruneHistory,
    kKeys,
    kScan,
    kScanHistory,
    kLastVersion,
    kRestoreRecord,
    kRetireAll,
    kRemoveRecords,
    kRemoveHistory,
    kRemoveFiles,
    kBeginWrite,
    kBeginRead,
    kCommit,
    kRollback,
    kSavepoint,
    kRelease,
    kRollbackTo,
    kStatementCount
};

const std::array<std::string, kStatementCount> kStatements = {
    "SELECT application_id, user_version FROM pragma_application_id, pragma_user_version",
    "SELECT id FROM files WHERE name = ?1",
    "INSERT INTO files (name) VALUES (?1)",
    "SELECT name FROM files ORDER BY name",
    "SELECT version, text FROM records WHERE file = ?1 AND key = ?2",
    "SELECT k.rowid, r.version, r.text FROM mvdb_keys AS k CROSS JOIN records AS r"
    " WHERE r.file = ?1 AND r.key = k.key",
    "SELECT key, version, text FROM records WHERE file = ?1",
    "SELECT count(*) FROM records WHERE file = ?1",
    "INSERT INTO records (file, key, version, text) SELECT ?1, ?2, retired + 1, ?3 FROM versions"
    " WHERE true ON CONFLICT (file, key) DO UPDATE SET version = version + 1, text = excluded.text"
    " RETURNING version",
    "UPDATE records SET version = version + 1, text = ?3 WHERE file = ?1 AND key = ?2"
    " AND version = ?4 RETURNING version",
    "INSERT INTO records (file, key, version, text) SELECT ?1, ?2, retired + 1, ?3 FROM versions"
    " WHERE true ON CONFLICT (file, key) DO NOTHING RETURNING version",
    "DELETE FROM records WHERE file = ?1 AND key = ?2 RETURNING version, text",
    "UPDATE versions SET retired = max(retired, ?1)",
    "INSERT INTO history (file, key, version, deleted, time, user, replaced)"
    " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
    "SELECT version, time, user, deleted, replaced FROM history WHERE file = ?1 AND key = ?2"
    " ORDER BY version DESC, deleted DESC",
    "SELECT version, time, user, deleted FROM history WHERE file = ?1 AND key = ?2"
    " ORDER BY version DESC, deleted DESC LIMIT 1",
    "DELETE FROM history WHERE time < ?1",
    "SELECT key FROM records WHERE file = ?1 ORDER BY key",
    "SELECT key, version, text FROM records WHERE file = ?1 ORDER BY key",
    "SELECT key, version, time, user, deleted, replaced FROM history WHERE file = ?1"
    " ORDER BY key, version, deleted",
    "SELECT max(retired, (SELECT coalesce(max(version), 0) FROM records)) FROM versions",
    "INSERT INTO records (file, key, version, text) VALUES (?1, ?2, ?3, ?4)",
    "UPDATE versions SET retired = max(retired, (SELECT coalesce(max(version), 0) FROM records))",
    "DELETE FROM records",
    "DELETE FROM history",
    "DELETE FROM files",
    "BEGIN IMMEDIATE",
    "BEGIN",
    "COMMIT",
    "ROLLBACK",
    "SAVEPOINT mvdb",
    "RELEASE mvdb",
    "ROLLBACK TO mvdb",
};

// What a writer left that a user who may only read cannot finish.
constexpr const char* kInterruptedWrite =
    "a été interrompue au milieu d'une écriture : un utilisateur qui peut l'écrire doit l'ouvrir "
    "une fois pour la terminer.";
constexpr const char* kWriteAheadLog =
    "est gardée à la manière d'une version antérieure du programme : un utilisateur qui peut "
    "l'écrire doit l'ouvrir une fois pour la convertir.";

[[noreturn]] void failNeedsWriter(const std::string& path, const char* what) {
    throw platform::ComponentError(kErrNeedsWriter, "La base de données « " + path + " » " + what);
}

[[noreturn]] void fail(int code, const std::string& path, const char* detail) {
    switch (code) {
        case SQLITE_READONLY_ROLLBACK:
            failNeedsWriter(path, kInterruptedWrite);
        case SQLITE_READONLY_RECOVERY:
        case SQLITE_READONLY_CANTLOCK:
        case SQLITE_READONLY_CANTINIT:
        case SQLITE_READONLY_DIRECTORY:
            failNeedsWriter(path, kWriteAheadLog);
    }
    switch (code & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throw platform::ComponentError(kErrDatabaseLocked,
                                           "La base de données « " + path +
                                               " » est verrouillée par un autre programme ; "
                                               "réessayez dans un instant.");
        case SQLITE_READONLY:
            throw platform::ComponentError(
                kErrDatabaseReadOnly, "La base de données « " + path + " » est en lecture seule.");
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
            throw platform::ComponentError(kErrNotADatabase,
                                           "« " + path +
                                               " » n'est pas une base de données multivaluée, "
                                               "ou elle est endommagée.");
        default:
            throw platform::ComponentError(
                kErrStorage, "Erreur de la base de données « " + path + " » : « " +
                                 std::string(detail ? detail : sqlite3_errstr(code)) + " ».");
    }
}

}  // namespace

// One prepared statement, reset after each use so that it holds no lock between calls.
class SqliteStore::Statement {
public:
    Statement(sqlite3* connection, const char* sql, const std::string& path)
        : connection_(connection), path_(path) {
        const int code = sqlite3_prepare_v3(connection, sql, -1, SQLITE_PREPARE_PERSISTENT,
                                            &statement_, nullptr);
        if (code != SQLITE_OK) fail(code, path_, sqlite3_errmsg(connection));
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // The statement while it runs; resetting it when the use ends, however it ends.
    class Use {
    public:
        explicit Use(Statement& statement) : statement_(statement) {}
        ~Use() { sqlite3_reset(statement_.statement_); }
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;
        Statement* operator->() { return &statement_; }
        Statement& operator*() { return statement_; }

    private:
        Statement& statement_;
    };

    void bind(int index, std::int64_t number) {
        check(sqlite3_bind_int64(statement_, index, number));
    }
    void bind(int index, std::string_view text) {
        check(sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_STATIC,
                                  SQLITE_UTF8));
    }
    void bindBlob(int index, std::string_view bytes) {
        check(sqlite3_bind_blob64(statement_, index, bytes.data(), bytes.size(), SQLITE_STATIC));
    }
    void bindNull(int index) { check(sqlite3_bind_null(statement_, index)); }
    void clearBindings() { sqlite3_clear_bindings(statement_); }
    // Runs to the next row: true when there is one, false when the statement is done.
    bool step() {
        const int code = sqlite3_step(statement_);
        if (code == SQLITE_ROW) return true;
        if (code == SQLITE_DONE) return false;
        fail(code, path_, sqlite3_errmsg(connection_));
    }
    std::int64_t integer(int column) { return sqlite3_column_int64(statement_, column); }
    bool isNull(int column) { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
    std::string_view text(int column) {
        const void* bytes = sqlite3_column_blob(statement_, column);
        const int size = sqlite3_column_bytes(statement_, column);
        return bytes ? std::string_view(static_cast<const char*>(bytes), size) : std::string_view();
    }

private:
    void check(int code) {
        if (code != SQLITE_OK) fail(code, path_, sqlite3_errmsg(connection_));
    }

    sqlite3* connection_;
    const std::string& path_;
    sqlite3_stmt* statement_ = nullptr;
};

namespace {

// The device and inode of the file at path; zeros when there is none.
std::pair<std::uint64_t, std::uint64_t> identityOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return {0, 0};
    return {status.st_dev, status.st_ino};
}

// The name of the operating system's user that runs the program, which the history notes.
std::string operatingSystemUser() {
    passwd entry{};
    passwd* found = nullptr;
    std::array<char, 4096> buffer{};
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->pw_name;
    }
    return std::to_string(::geteuid());
}

// Whether this user may write the file, and make its journal beside it; a user who may not opens
// the database for reading only.
bool mayWrite(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::absolute(path).parent_path();
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 &&
           ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// Whether the SQLite file's header says that it is kept with a write-ahead log.
bool keepsWriteAheadLog(const std::string& path) {
    std::array<char, 20> header{};
    std::ifstream(path, std::ios::binary).read(header.data(), header.size());
    return header[18] == 2 && header[19] == 2;
}

sqlite3* connect(const std::string& path, int flags, std::chrono::milliseconds busyTimeout) {
    sqlite3* connection = nullptr;
    const int code = sqlite3_open_v2(path.c_str(), &connection,
                                     flags | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE, nullptr);
    if (code != SQLITE_OK) {
        const std::string detail = connection ? sqlite3_errmsg(connection) : sqlite3_errstr(code);
        sqlite3_close_v2(connection);
        fail(code, path, detail.c_str());
    }
    sqlite3_busy_timeout(connection, static_cast<int>(busyTimeout.count()));
    return connection;
}

void executeScript(sqlite3* connection, const std::string& path, const std::string& sql) {
    char* message = nullptr;
    const int code = sqlite3_exec(connection, sql.c_str(), nullptr, nullptr, &message);
    const std::string detail = message ? message : "";
    sqlite3_free(message);
    if (code != SQLITE_OK) {
        sqlite3_exec(connection, "ROLLBACK", nullptr, nullptr, nullptr);
        fail(code, path, detail.c_str());
    }
}

}  // namespace

std::shared_ptr<SqliteStore> SqliteStore::open(const std::string& path,
                                               const OpenOptions& options) {
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        throw platform::ComponentError(kErrNoSuchDatabase,
                                       "La base de données « " + path + " » n'existe pas.");
    }
    const bool userMayWrite = mayWrite(path);
    // Reading a file kept with a write-ahead log makes files beside it, which the reader would
    // own: the owner could no longer write.
    if (!userMayWrite && keepsWriteAheadLog(path)) failNeedsWriter(path, kWriteAheadLog);
    const bool readOnly = options.readOnly || !userMayWrite;
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    std::shared_ptr<SqliteStore> store(
        new SqliteStore(connect(path, flags, options.busyTimeout), path,
                        options.user.empty() ? operatingSystemUser() : options.user));
    int layout = 0;
    {
        Statement::Use header(store->statement(kReadHeader));
        if (!header->step() || header->integer(0) != kApplicationId) {
            fail(SQLITE_NOTADB, path, nullptr);
        }
        layout = static_cast<int>(header->integer(1));
    }
    if (layout > kLayout) {
        throw platform::ComponentError(
            kErrNotADatabase,
            "La base de données « " + path + " » vient d'une version plus récente du programme.");
    }
    if (layout < kLayout) store->upgradeLayout(layout, readOnly);
    if (!readOnly) store->leaveWriteAheadLog();
    store->execute("PRAGMA synchronous = FULL");
    return store;
}

std::shared_ptr<SqliteStore> SqliteStore::create(const std::string& path) {
    // The file is made here, and only if it did not exist, so that no other file is overwritten.
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        if (errno == EEXIST) {
            throw platform::ComponentError(kErrDatabaseExists,
                                           "La base de données « " + path + " » existe déjà.");
        }
        fail(SQLITE_CANTOPEN, path, std::strerror(errno));
    }
    ::close(descriptor);
    try {
        sqlite3* connection = connect(path, SQLITE_OPEN_READWRITE, std::chrono::milliseconds(0));
        try {
            executeScript(connection, path,
                          std::string(kSchema) + kTables + kHistoryTable + kFirstVersions);
        } catch (const platform::ComponentError&) {
            sqlite3_close_v2(connection);
            throw;
        }
        sqlite3_close_v2(connection);
        return open(path, OpenOptions{});
    } catch (const platform::ComponentError&) {
        remove(path);
        throw;
    }
}

void SqliteStore::remove(const std::string& path) noexcept {
    std::error_code ignored;
    for (const char* suffix : {"", "-journal"})
        std::filesystem::remove(path + suffix, ignored);
}

SqliteStore::SqliteStore(sqlite3* connection, std::string path, std::string user)
    : connection_(connection),
      path_(std::move(path)),
      fileIdentity_(identityOf(path_)),
      user_(std::move(user)),
      keySet_(connection),
      statements_(kStatementCount) {}

SqliteStore::~SqliteStore() {
    statements_.clear();
    sqlite3_close_v2(connection_);
}

void SqliteStore::leaveWriteAheadLog() {
    try {
        execute("PRAGMA journal_mode = DELETE");
    } catch (const platform::ComponentError& error) {
        // Another program has the file open: the next opening brings it over.
        if (error.number() != kErrDatabaseLocked) throw;
    }
}

void SqliteStore::upgradeLayout(int layout, bool readOnly) {
    if (layout != kFirstLayout && layout != kVersionsLayout) fail(SQLITE_NOTADB, path_, nullptr);
    if (readOnly) {
        if (layout == kFirstLayout) execute(kFirstLayoutView);
        keepsHistory_ = false;
        return;
    }
    executeScript(connection_, path_,
                  layout == kFirstLayout
                      ? std::string(kUpgrade) + kTables + kHistoryTable + kUpgradeCopy
                      : std::string("BEGIN IMMEDIATE;") + kHistoryTable + "COMMIT;");
}

SqliteStore::Statement& SqliteStore::statement(int which) {
    if (!statements_[which]) {
        statements_[which] =
            std::make_unique<Statement>(connection_, kStatements[which].c_str(), path_);
    }
    countRequest();
    return *statements_[which];
}

void SqliteStore::checkFileInPlace() const {
    if (identityOf(path_) != fileIdentity_) {
        throw platform::ComponentError(kErrNoSuchDatabase,
                                       "La base de données « " + path_ +
                                           " » a été supprimée ou remplacée depuis son "
                                           "ouverture ; rien n'a été enregistré.");
    }
    // SQLite writes through the descriptor it opened, which a change of the file's permissions
    // does not close: the file is asked again, as a new opening would.
    if (::faccessat(AT_FDCWD, path_.c_str(), W_OK, AT_EACCESS) != 0 &&
        (errno == EACCES || errno == EROFS)) {
        throw platform::ComponentError(kErrDatabaseReadOnly,
                                       "La base de données « " + path_ +
                                           " » est en lecture seule ; rien n'a été "
                                           "enregistré.");
    }
}

void SqliteStore::execute(const char* sql) {
    Statement statement(connection_, sql, path_);
    while (statement.step()) {
    }
}

std::optional<Store::FileId> SqliteStore::findFile(std::string_view name) {
    Statement::Use find(statement(kFindFile));
    find->bind(1, name);
    if (!find->step()) return std::nullopt;
    return find->integer(0);
}

Store::FileId SqliteStore::createFile(std::string_view name) {
    checkFileInPlace();
    Statement::Use insert(statement(kCreateFile));
    insert->bind(1, name);
    insert->step();
    return sqlite3_last_insert_rowid(connection_);
}

std::vector<std::string> SqliteStore::fileNames() {
    std::vector<std::string> names;
    Statement::Use select(statement(kFileNames));
    while (select->step())
        names.emplace_back(select->text(0));
    return names;
}

void SqliteStore::removeFiles() {
    checkFileInPlace();
    inOwnUnit(UnitKind::kWrite, [this] {
        for (const int which : {kRetireAll, kRemoveRecords, kRemoveHistory, kRemoveFiles})
            run(which);
        return 0;
    });
}

bool SqliteStore::writable() {
    return sqlite3_db_readonly(connection_, "main") == 0;
}

std::optional<Store::Record> SqliteStore::readRecord(FileId file, std::string_view key) {
    Statement::Use read(statement(kReadRecord));
    read->bind(1, file);
    read->bind(2, key);
    if (!read->step()) return std::nullopt;
    return Record{std::string(read->text(1)), read->integer(0)};
}

void SqliteStore::seekRecords(FileId file, std::span<const std::string_view> keys,
                              const KeyRecordVisitor& visit) {
    // One statement seeks every key, in one state of the file.
    keySet_.show(keys);
    Statement::Use read(statement(kReadKeys));
    read->bind(1, file);
    while (read->step())
        visit(static_cast<std::size_t>(read->integer(0)), read->text(2), read->integer(1));
}

std::size_t SqliteStore::passOverFile(FileId file, const platform::TextIndex& keys,
                                      const KeyRecordVisitor& visit) {
    Statement::Use select(statement(kReadFile));
    select->bind(1, file);
    std::size_t records = 0;
    for (; select->step(); ++records) {
        // The text and the version are taken only from a record kept.
        const std::uint32_t key = keys.find(select->text(0));
        if (key != platform::TextIndex::kNone) visit(key, select->text(2), select->integer(1));
    }
    return records;
}

std::size_t SqliteStore::countRecords(FileId file) {
    Statement::Use count(statement(kCountRecords));
    count->bind(1, file);
    count->step();
    return static_cast<std::size_t>(count->integer(0));
}

std::optional<Store::Version> SqliteStore::write(int which, FileId file, std::string_view key,
                                                 std::string_view text,
                                                 std::optional<Version> expected) {
    checkFileInPlace();
    return inOwnUnit(UnitKind::kWrite, [&]() -> std::optional<Version> {
        // A record created replaces no text: none is read for it.
        const std::optional<Record> replaced =
            which == kInsertIfNone ? std::nullopt : readRecord(file, key);
        std::optional<Version> version;
        {
            Statement::Use write(statement(which));
            write->bind(1, file);
            write->bind(2, key);
            write->bindBlob(3, text);
            if (expected) write->bind(4, *expected);
            if (!write->step()) return std::nullopt;
            version = write->integer(0);
            // Run to its end, so that a failure to keep the write is known here.
            write->step();
        }
        noteChange(file, key, *version, false,
                   replaced ? std::optional<std::string_view>(replaced->text) : std::nullopt);
        return version;
    });
}

void SqliteStore::noteChange(FileId file, std::string_view key, Version version, bool deleted,
                             std::optional<std::string_view> replaced) {
    const auto now =
        std::chrono::time_point_cast<std::chrono::microseconds>(std::chrono::system_clock::now());
    insertChange(file, key, version, deleted, now.time_since_epoch().count(), user_, replaced);
}

void SqliteStore::insertChange(FileId file, std::string_view key, Version version, bool deleted,
                               std::int64_t time, std::string_view user,
                               std::optional<std::string_view> replaced) {
    Statement::Use note(statement(kNoteChange));
    note->bind(1, file);
    note->bind(2, key);
    note->bind(3, version);
    note->bind(4, std::int64_t{deleted});
    note->bind(5, time);
    note->bind(6, user);
    if (replaced) {
        note->bindBlob(7, *replaced);
    } else {
        note->bindNull(7);
    }
    note->step();
}

namespace {

// The change that a row of the history gives from its column first on: its version, time, user
// and whether it deleted.
Store::Change changeOf(SqliteStore::Statement& row, int first = 0) {
    return {row.integer(first),
            std::chrono::sys_time<std::chrono::microseconds>(
                std::chrono::microseconds(row.integer(first + 1))),
            std::string(row.text(first + 2)), row.integer(first + 3) != 0, std::nullopt};
}

}  // namespace

std::vector<Store::Change> SqliteStore::history(FileId file, std::string_view key) {
    std::vector<Change> changes;
    if (!keepsHistory_) return changes;
    Statement::Use select(statement(kHistory));
    select->bind(1, file);
    select->bind(2, key);
    while (select->step()) {
        Change& change = changes.emplace_back(changeOf(*select));
        if (!select->isNull(4)) change.replaced = select->text(4);
    }
    return changes;
}

std::optional<Store::Change> SqliteStore::latestChange(FileId file, std::string_view key) {
    if (!keepsHistory_) return std::nullopt;
    Statement::Use select(statement(kLatestChange));
    select->bind(1, file);
    select->bind(2, key);
    if (!select->step()) return std::nullopt;
    return changeOf(*select);
}

std::size_t SqliteStore::pruneHistory(std::chrono::sys_time<std::chrono::microseconds> before) {
    if (!keepsHistory_) return 0;
    checkFileInPlace();
    return inOwnUnit(UnitKind::kWrite, [&] {
        Statement::Use prune(statement(kPruneHistory));
        prune->bind(1, before.time_since_epoch().count());
        prune->step();
        return static_cast<std::size_t>(sqlite3_changes64(connection_));
    });
}

void SqliteStore::scanHistory(FileId file, const ChangeVisitor& visit) {
    if (!keepsHistory_) return;
    Statement::Use select(statement(kScanHistory));
    select->bind(1, file);
    while (select->step()) {
        Change change = changeOf(*select, 1);
        if (!select->isNull(5)) change.replaced = select->text(5);
        visit(select->text(0), change);
    }
}

Store::Version SqliteStore::lastVersion() {
    Statement::Use select(statement(kLastVersion));
    select->step();
    return select->integer(0);
}

void SqliteStore::restore(FileId file, std::span<const VersionedRecord> records,
                          std::span<const KeyedChange> history) {
    checkFileInPlace();
    Version highest = 0;
    for (const VersionedRecord& record : records) {
        Statement::Use insert(statement(kRestoreRecord));
        insert->bind(1, file);
        insert->bind(2, record.key);
        insert->bind(3, record.version);
        insert->bindBlob(4, record.text);
        insert->step();
        highest = std::max(highest, record.version);
    }
    for (const auto& [key, change] : history) {
        insertChange(file, key, change.version, change.deleted,
                     change.time.time_since_epoch().count(), change.user, change.replaced);
        highest = std::max(highest, change.version);
    }
    Statement::Use retire(statement(kRetire));
    retire->bind(1, highest);
    retire->step();
}

Store::Version SqliteStore::writeRecord(FileId file, std::string_view key, std::string_view text) {
    return *write(kWriteRecord, file, key, text, std::nullopt);
}

Store::WriteResult SqliteStore::writeRecordIf(FileId file, std::string_view key,
                                              std::string_view text,
                                              std::optional<Version> expected) {
    const std::optional<Version> written =
        write(expected ? kUpdateIf : kInsertIfNone, file, key, text, expected);
    if (written) return {Conflict::kNone, *written};
    return conflictWith(readRecord(file, key), text, !expected);
}

bool SqliteStore::deleteRecord(FileId file, std::string_view key) {
    checkFileInPlace();
    return inOwnUnit(UnitKind::kWrite, [&] {
        std::optional<Version> version;
        std::string removed;
        {
            Statement::Use remove(statement(kDeleteRecord));
            remove->bind(1, file);
            remove->bind(2, key);
            if (remove->step()) {
                version = remove->integer(0);
                removed = remove->text(1);
            }
            while (remove->step()) {
            }
        }
        if (!version) return false;
        {
            Statement::Use retire(statement(kRetire));
            retire->bind(1, *version);
            retire->step();
        }
        noteChange(file, key, *version, true, removed);
        return true;
    });
}

std::vector<std::string> SqliteStore::keys(FileId file) {
    std::vector<std::string> keys;
    Statement::Use select(statement(kKeys));
    select->bind(1, file);
    while (select->step())
        keys.emplace_back(select->text(0));
    return keys;
}

void SqliteStore::scan(FileId file, const RecordVisitor& visit) {
    Statement::Use select(statement(kScan));
    select->bind(1, file);
    std::size_t records = 0;
    for (; select->step(); ++records)
        visit(select->text(0), select->text(2), select->integer(1));
    noteFileSize(file, records);
}

void SqliteStore::runUnitStatement(UnitStatement which) {
    static constexpr std::array<int, 7> kUnitStatements = {
        kBeginWrite, kBeginRead, kCommit, kRollback, kSavepoint, kRelease, kRollbackTo};
    run(kUnitStatements[static_cast<std::size_t>(which)]);
}

void SqliteStore::run(int which) {
    Statement::Use use(statement(which));
    use->step();
}

}  // namespace mvdb
