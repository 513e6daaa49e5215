#include "platform/mvdb/PostgresStore.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <chrono>
#include <cstring>
#include <deque>
#include <future>
#include <thread>
#include <unordered_map>

#include <libpq-fe.h>
#include <poll.h>

#include "platform/TextIndex.h"
#include "platform/mvdb/DbError.h"

namespace mvdb {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kAnswerMargin{2};

// The layouts of the tables: 1 kept the records; 2 keeps the history of their writes too, each
// write and each deletion noting, in its own statement, the version written or removed, the text
// replaced, the server's time and the user's role.
constexpr int kLayout = 2;

// Sent as one request, which the server runs as one transaction.
constexpr const char* kTables =
    "CREATE TABLE mvdb_layout (layout integer NOT NULL);"
    "INSERT INTO mvdb_layout VALUES (2);"
    "CREATE TABLE mvdb_files (id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,"
    " name bytea NOT NULL UNIQUE);"
    "CREATE TABLE mvdb_records (file bigint NOT NULL REFERENCES mvdb_files (id),"
    " key bytea NOT NULL, version bigint NOT NULL, text bytea NOT NULL, PRIMARY KEY (file, key));"
    "CREATE SEQUENCE mvdb_versions;";
// A deletion notes the version it removed, which its write noted too. Laid out with the tables, or
// over a database of the first layout by its first user who may write.
constexpr const char* kHistoryTable =
    "CREATE TABLE IF NOT EXISTS mvdb_history (file bigint NOT NULL, key bytea NOT NULL,"
    " version bigint NOT NULL, deleted boolean NOT NULL,"
    " written_at timestamptz NOT NULL DEFAULT clock_timestamp(),"
    " written_by text NOT NULL DEFAULT session_user, replaced bytea,"
    " PRIMARY KEY (file, key, version, deleted));"
    "UPDATE mvdb_layout SET layout = 2 WHERE layout < 2;";

constexpr Oid kBytes = 17;         // bytea
constexpr Oid kText = 25;          // text
constexpr Oid kNumber = 20;        // bigint
constexpr Oid kBytesArray = 1001;  // bytea[]
constexpr Oid kTime = 1184;        // timestamptz: microseconds since 2000-01-01 00:00 UTC
constexpr std::int64_t kTimeOrigin = 946684800000000;  // 2000-01-01 in Unix microseconds

enum StatementId {
    kReadLayout,
    kFindFile,
    kCreateFile,
    kFileNames,
    kReadRecord,
    kReadRecords,
    kReadFile,
    kCountRecords,
    kUpdateIf,
    kInsertIfNone,
    kDeleteRecord,
    kHistory,
    kLatestChange,
    kPruneHistory,
    kKeys,
    kScan,
    kScanHistory,
    kLastVersion,
    kRestoreRecord,
    kRestoreChange,
    kPassVersion,
    kWritable,
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

struct StatementText {
    const char* sql;
    std::vector<Oid> types;
    // Whether the statement writes: outside a unit of work it is kept at once, inside one at the
    // unit's commit.
    bool writes = false;
};

const std::array<StatementText, kStatementCount> kStatements = {{
    {"SELECT layout::bigint FROM mvdb_layout", {}},
    {"SELECT id FROM mvdb_files WHERE name = $1", {kBytes}},
    {"INSERT INTO mvdb_files (name) VALUES ($1) RETURNING id", {kBytes}, true},
    {"SELECT name FROM mvdb_files ORDER BY name", {}},
    {"SELECT version, text FROM mvdb_records WHERE file = $1 AND key = $2", {kNumber, kBytes}},
    {"SELECT key, version, text FROM mvdb_records WHERE file = $1 AND key = ANY ($2)",
     {kNumber, kBytesArray}},
    {"SELECT key, version, text FROM mvdb_records WHERE file = $1", {kNumber}},
    {"SELECT count(*) FROM mvdb_records WHERE file = $1", {kNumber}},
    // Each write notes itself in the history in its own statement, with the text it replaced as
    // the statement's snapshot holds it (every part of a statement reads the one snapshot), and
    // its writer: the user bound (OpenOptions::user), else the session's role. Both writes are
    // conditional, so that the text noted is the one the write replaced.
    {"WITH written AS (UPDATE mvdb_records SET version = nextval('mvdb_versions'), text = $3"
     " WHERE file = $1 AND key = $2 AND version = $4 RETURNING version),"
     " noted AS (INSERT INTO mvdb_history (file, key, version, deleted, replaced, written_by)"
     " SELECT $1, $2, written.version, false, stored.text, coalesce(nullif($5, ''), session_user)"
     " FROM written, mvdb_records AS stored WHERE stored.file = $1 AND stored.key = $2)"
     " SELECT version FROM written",
     {kNumber, kBytes, kBytes, kNumber, kText},
     true},
    {"WITH written AS (INSERT INTO mvdb_records (file, key, version, text)"
     " VALUES ($1, $2, nextval('mvdb_versions'), $3) ON CONFLICT (file, key) DO NOTHING"
     " RETURNING version), noted AS (INSERT INTO mvdb_history (file, key, version, deleted,"
     " written_by) SELECT $1, $2, version, false, coalesce(nullif($4, ''), session_user)"
     " FROM written) SELECT version FROM written",
     {kNumber, kBytes, kBytes, kText},
     true},
    {"WITH removed AS (DELETE FROM mvdb_records WHERE file = $1 AND key = $2"
     " RETURNING version, text), noted AS (INSERT INTO mvdb_history (file, key, version, deleted,"
     " replaced, written_by) SELECT $1, $2, version, true, text,"
     " coalesce(nullif($3, ''), session_user) FROM removed) SELECT version FROM removed",
     {kNumber, kBytes, kText},
     true},
    {"SELECT version, (extract(epoch FROM written_at) * 1000000)::bigint, written_by,"
     " deleted::integer::bigint, replaced FROM mvdb_history WHERE file = $1 AND key = $2"
     " ORDER BY version DESC, deleted DESC",
     {kNumber, kBytes}},
    {"SELECT version, (extract(epoch FROM written_at) * 1000000)::bigint, written_by,"
     " deleted::integer::bigint FROM mvdb_history WHERE file = $1 AND key = $2"
     " ORDER BY version DESC, deleted DESC LIMIT 1",
     {kNumber, kBytes}},
    {"WITH removed AS (DELETE FROM mvdb_history"
     " WHERE written_at < 'epoch'::timestamptz + $1 * interval '1 microsecond' RETURNING 1)"
     " SELECT count(*) FROM removed",
     {kNumber},
     true},
    {"SELECT key FROM mvdb_records WHERE file = $1 ORDER BY key", {kNumber}},
    {"SELECT key, version, text FROM mvdb_records WHERE file = $1 ORDER BY key", {kNumber}},
    {"SELECT key, version, (extract(epoch FROM written_at) * 1000000)::bigint, written_by,"
     " deleted::integer::bigint, replaced FROM mvdb_history WHERE file = $1"
     " ORDER BY key, version, deleted",
     {kNumber}},
    {"SELECT CASE WHEN is_called THEN last_value ELSE 0 END FROM mvdb_versions", {}},
    {"INSERT INTO mvdb_records (file, key, version, text) VALUES ($1, $2, $3, $4)",
     {kNumber, kBytes, kNumber, kBytes},
     true},
    {"INSERT INTO mvdb_history (file, key, version, deleted, written_at, written_by, replaced)"
     " VALUES ($1, $2, $3, $4 <> 0, $5, $6, $7)",
     {kNumber, kBytes, kNumber, kNumber, kTime, kText, kBytes},
     true},
    // The sequence is moved forward only, whatever other users took from it meanwhile.
    {"SELECT setval('mvdb_versions', $1) FROM mvdb_versions WHERE $1 > 0"
     " AND (NOT is_called OR last_value < $1)",
     {kNumber},
     true},
    {"SELECT (has_table_privilege('mvdb_records', 'INSERT')"
     " AND has_table_privilege('mvdb_records', 'UPDATE')"
     " AND has_sequence_privilege('mvdb_versions', 'USAGE') AND NOT pg_is_in_recovery()"
     " AND coalesce(has_table_privilege(to_regclass('mvdb_history'), 'INSERT'), false)"
     " AND current_setting('default_transaction_read_only') = 'off')::integer::bigint",
     {}},
    {"DELETE FROM mvdb_records", {}, true},
    {"DELETE FROM mvdb_history", {}, true},
    {"DELETE FROM mvdb_files", {}, true},
    {"BEGIN", {}},
    {"BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY", {}},
    {"COMMIT", {}},
    {"ROLLBACK", {}},
    {"SAVEPOINT mvdb", {}},
    {"RELEASE SAVEPOINT mvdb", {}},
    {"ROLLBACK TO SAVEPOINT mvdb", {}},
}};

// The values of a connection's settings by keyword, as the connection used them: its URI
// completed by the environment, a service file and the client library's defaults.
std::unordered_map<std::string, std::string> settingsOf(PGconn* connection) {
    std::unordered_map<std::string, std::string> values;
    PQconninfoOption* options = PQconninfo(connection);
    for (const PQconninfoOption* option = options; option && option->keyword; ++option) {
        if (option->val) values[option->keyword] = option->val;
    }
    PQconninfoFree(options);
    return values;
}

// host:port, for each server a location names (a port given once serves every host).
std::string serversOf(std::string_view hosts, std::string_view ports) {
    std::string named;
    for (std::size_t host = 0, port = 0; host != std::string_view::npos;) {
        const std::size_t hostEnd = hosts.find(',', host), portEnd = ports.find(',', port);
        if (!named.empty()) named += ",";
        named += hosts.substr(host, hostEnd - host);
        named += ":";
        named += ports.substr(port, portEnd - port);
        host = hostEnd == std::string_view::npos ? hostEnd : hostEnd + 1;
        if (portEnd != std::string_view::npos) port = portEnd + 1;
    }
    return named;
}

// The server as messages name it, never with its password: postgresql://user@host:port/database
// as connected, or, when no server took the connection, every server the location names.
std::string nameOf(PGconn* connection) {
    const auto text = [](const char* value) { return std::string(value ? value : ""); };
    std::string user = text(PQuser(connection)), servers, database = text(PQdb(connection));
    if (PQstatus(connection) == CONNECTION_OK) {
        servers = text(PQhost(connection)) + ":" + text(PQport(connection));
    } else {
        std::unordered_map<std::string, std::string> settings = settingsOf(connection);
        const std::string& hosts =
            settings["host"].empty() ? settings["hostaddr"] : settings["host"];
        servers = serversOf(hosts.empty() ? text(PQhost(connection)) : hosts,
                            settings["port"].empty() ? text(PQport(connection)) : settings["port"]);
    }
    return "postgresql://" + (user.empty() ? "" : user + "@") + servers + "/" + database;
}

// A server's message as the reason of ours: on one line, without its severity, its final stop and
// its trailing blanks, quoted in « »; empty when there is none.
std::string quotedReason(const char* message) {
    std::string_view text = message ? message : "";
    for (const char* severity : {"FATAL:  ", "ERROR:  "}) {
        if (text.starts_with(severity)) text.remove_prefix(std::strlen(severity));
    }
    std::string line;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t';
        if (!blank) {
            line += c;
        } else if (!line.empty() && line.back() != ' ') {
            line += ' ';
        }
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == '.'))
        line.pop_back();
    return line.empty() ? line : "« " + line + " »";
}

[[noreturn]] void failUnavailable(const std::string& name, const std::string& why) {
    throw platform::ComponentError(
        kErrServerUnavailable, "Le serveur de la base de données « " + name + " » " + why + ".");
}

// A write that was sent and never answered: the server may have kept it or not.
[[noreturn]] void failUnknownOutcome(const std::string& name, const std::string& what) {
    throw platform::ComponentError(kErrOutcomeUnknown,
                                   "Le serveur de la base de données « " + name + " » " + what +
                                       " ; l'écriture envoyée a peut-être été enregistrée, "
                                       "peut-être pas.");
}

// The platform::ComponentError for a statement's error, by its SQLSTATE; writes: whether the
// statement writes.
[[noreturn]] void failStatement(const std::string& name, const PGresult* result, bool writes) {
    const char* field = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    const std::string state = field ? field : "";
    const std::string message = quotedReason(PQresultErrorMessage(result));
    if (state == "55P03" || state == "40P01" || state == "40001") {
        throw platform::ComponentError(kErrDatabaseLocked,
                                       "La base de données « " + name +
                                           " » est verrouillée par un autre utilisateur ; "
                                           "réessayez dans un instant.");
    }
    if (state == "25006" || (state == "42501" && writes)) {
        throw platform::ComponentError(kErrDatabaseReadOnly,
                                       "La base de données « " + name + " » est en lecture seule.");
    }
    if (state == "42501") {
        throw platform::ComponentError(kErrReadRefused,
                                       "Le serveur de la base de données « " + name +
                                           " » refuse à cet utilisateur le droit de la lire.");
    }
    if (state == "42P01") {
        throw platform::ComponentError(kErrNotADatabase,
                                       "« " + name +
                                           " » n'est pas une base de données multivaluée : ses "
                                           "tables n'y sont pas.");
    }
    if (state == "42P07") {
        throw platform::ComponentError(
            kErrDatabaseExists, "La base de données « " + name + " » contient déjà ses tables.");
    }
    if (state == "57014") failUnavailable(name, "n'a pas répondu à temps : " + message);
    if (state.starts_with("08") || state.starts_with("57P")) {
        failUnavailable(name, "a été perdu : " + message);
    }
    throw platform::ComponentError(
        kErrStorage, "Erreur de la base de données « " + name + " » : " + message + ".");
}

// Asks the server to cancel the request running on the connection. The client library's cancel
// waits for the server without bound, so it runs apart and is awaited no longer than wait.
void requestCancel(PGconn* connection, std::chrono::milliseconds wait) {
    std::shared_ptr<PGcancel> cancel(PQgetCancel(connection), PQfreeCancel);
    if (!cancel) return;
    auto asked = std::make_shared<std::promise<void>>();
    std::future<void> done = asked->get_future();
    std::thread([cancel, asked] {
        std::array<char, 256> why{};
        PQcancel(cancel.get(), why.data(), static_cast<int>(why.size()));
        asked->set_value();
    }).detach();
    done.wait_for(wait);
}

std::int64_t fromNetwork(const char* bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return static_cast<std::int64_t>(value);
}

void appendNetwork(std::string& out, std::uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace

// The values bound to a statement, each sent as raw bytes (binary format).
class PostgresStore::Parameters {
public:
    Parameters& bytes(std::string_view value) {
        values_.push_back(value.data() ? value.data() : "");
        lengths_.push_back(static_cast<int>(value.size()));
        return *this;
    }
    Parameters& number(std::int64_t value) {
        std::string& encoded = owned_.emplace_back();
        appendNetwork(encoded, static_cast<std::uint64_t>(value), 8);
        return bytes(encoded);
    }
    // SQL's null when there is no value.
    Parameters& bytesOrNull(std::optional<std::string_view> value) {
        if (value) return bytes(*value);
        values_.push_back(nullptr);
        lengths_.push_back(0);
        return *this;
    }
    // A one-dimension bytea[] in the server's binary array format.
    Parameters& byteArray(std::span<const std::string_view> items) {
        std::string& encoded = owned_.emplace_back();
        for (const std::uint64_t header : {1u, 0u, static_cast<unsigned>(kBytes)})
            appendNetwork(encoded, header, 4);
        appendNetwork(encoded, items.size(), 4);
        appendNetwork(encoded, 1, 4);  // the lower bound
        for (const std::string_view item : items) {
            appendNetwork(encoded, item.size(), 4);
            encoded += item;
        }
        return bytes(encoded);
    }

    int count() const { return static_cast<int>(values_.size()); }
    const char* const* values() const { return values_.data(); }
    const int* lengths() const { return lengths_.data(); }
    const int* formats() const {
        formats_.assign(values_.size(), 1);
        return formats_.data();
    }

private:
    std::deque<std::string> owned_;  // a deque keeps its elements in place as it grows
    std::vector<const char*> values_;
    std::vector<int> lengths_;
    mutable std::vector<int> formats_;
};

// The rows of a statement, in binary format.
class PostgresStore::Result {
public:
    explicit Result(PGresult* result) : result_(result, PQclear) {}

    int rows() const { return PQntuples(result_.get()); }
    std::string_view bytes(int row, int column) const {
        return {PQgetvalue(result_.get(), row, column),
                static_cast<std::size_t>(PQgetlength(result_.get(), row, column))};
    }
    bool isNull(int row, int column) const { return PQgetisnull(result_.get(), row, column); }
    std::int64_t number(int row, int column) const {
        return fromNetwork(PQgetvalue(result_.get(), row, column));
    }
    const PGresult* raw() const { return result_.get(); }

private:
    std::unique_ptr<PGresult, void (*)(PGresult*)> result_;
};

// The connection to the server: made again when the server closed it, every wait bounded. A
// request that ends without its answer tells whether it may have been kept: a write sent to the
// server and neither answered nor refused by it fails with kErrOutcomeUnknown, never as a write
// that was not made.
//
// Requests are pipelined: a statement's first run on the connection sends its preparation with
// it, and the beginning of a unit of work goes with the unit's first statement. An opening of an
// entity thus waits for three answers, not four, and for no preparation of its own.
class PostgresStore::Connection {
public:
    // How a request is sent: answered before the call returns, or held to go with the next one.
    enum class Sending { kAnswered, kWithNext };

    Connection(std::string uri, const OpenOptions& options)
        : uri_(std::move(uri)), options_(options) {
        checkLocation();
        connect();
    }
    ~Connection() { PQfinish(connection_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const std::string& name() const { return name_; }

    // Runs a statement of the store; answers its rows when sent kAnswered, else none.
    // mayReconnect: whether a lost connection may be made again first, which only a call outside
    // a unit of work may do; keeps: whether the statement, once run, has changed what is stored.
    Result run(int statement, const Parameters& parameters, bool mayReconnect, bool keeps,
               Sending sending) {
        if (mayReconnect) reconnectWhenLost();
        if (!connection_) lost(false);
        if (PQpipelineStatus(connection_) == PQ_PIPELINE_OFF && !PQenterPipelineMode(connection_))
            lost(false);
        const std::string statementName = "mvdb" + std::to_string(statement);
        if (!prepared_.test(statement)) {
            const StatementText& text = kStatements[statement];
            if (!PQsendPrepare(connection_, statementName.c_str(), text.sql,
                               static_cast<int>(text.types.size()), text.types.data())) {
                lost(false);
            }
            prepared_.set(statement);
            awaited_.push_back(statement);
        }
        if (!PQsendQueryPrepared(connection_, statementName.c_str(), parameters.count(),
                                 parameters.values(), parameters.lengths(), parameters.formats(),
                                 1)) {
            lost(false);
        }
        awaited_.push_back(kExecution);
        if (sending == Sending::kWithNext) return Result(nullptr);
        if (!PQpipelineSync(connection_)) lost(false);
        return answer(kStatements[statement].writes, keeps);
    }

    // Runs SQL text without parameters, as one request.
    void execute(const char* sql) {
        if (!connection_) lost(false);
        if (PQpipelineStatus(connection_) != PQ_PIPELINE_OFF && !PQexitPipelineMode(connection_))
            lost(false);
        if (!PQsendQuery(connection_, sql)) lost(false);
        answer(false, false);
    }

private:
    // A location that the client library cannot read is refused without repeating it: it may
    // hold a password.
    void checkLocation() const {
        char* error = nullptr;
        PQconninfoOption* options = PQconninfoParse(uri_.c_str(), &error);
        PQfreemem(error);
        PQconninfoFree(options);
        if (!options) {
            throw platform::ComponentError(
                kErrBadLocation,
                "L'adresse postgresql:// de la base de données est mal formée (un « % » "
                "doit être suivi de deux chiffres hexadécimaux) ; elle n'est pas "
                "répétée ici, car elle peut contenir un mot de passe.");
        }
    }

    void connect() {
        const std::string timeout = std::to_string(std::max<long long>(
            2, std::chrono::ceil<std::chrono::seconds>(options_.serverTimeout).count()));
        const char* const keywords[] = {"connect_timeout", "application_name", "dbname", nullptr};
        const char* const values[] = {timeout.c_str(), "ostrevan", uri_.c_str(), nullptr};
        connection_ = PQconnectdbParams(keywords, values, 1);
        name_ = nameOf(connection_);
        if (PQstatus(connection_) != CONNECTION_OK) {
            const std::string why = quotedReason(PQerrorMessage(connection_));
            close();
            failUnavailable(name_, "ne répond pas ou refuse la connexion : " + why);
        }
        PQsetnonblocking(connection_, 1);
        prepared_.reset();
        // Waits for locks and statements are bounded by the server too. Each statement is planned
        // once, with its parameters unknown: planned afresh at each of its first runs, as the
        // server otherwise does, a read of thousands of keys would spend longer in planning than
        // in reading, at each new connection.
        const std::string settings =
            "SET plan_cache_mode = force_generic_plan"
            "; SET lock_timeout = " +
            std::to_string(options_.busyTimeout.count()) +
            "; SET statement_timeout = " + std::to_string(options_.serverTimeout.count()) +
            "; SET default_transaction_read_only = " + (options_.readOnly ? "on" : "off");
        execute(settings.c_str());
    }

    void close() {
        PQfinish(connection_);
        connection_ = nullptr;
        awaited_.clear();
    }

    // An idle connection has nothing to read, unless the server closed it (stopped, restarted,
    // or ended it): its farewell is there.
    void reconnectWhenLost() {
        if (connection_ && PQstatus(connection_) == CONNECTION_OK) {
            pollfd idle{PQsocket(connection_), POLLIN, 0};
            if (::poll(&idle, 1, 0) == 0) return;
        }
        close();
        connect();
    }

    // The answer of the requests sent, up to the end of the pipeline's batch (or of the SQL text
    // out of a pipeline); the first error as a platform::ComponentError, else the last request's
    // rows. writes: whether the requests write; keeps: whether they have changed what is stored
    // once run.
    Result answer(bool writes, bool keeps) {
        // The server's own statement timeout, the same, ends a statement first when it can.
        Clock::time_point deadline = Clock::now() + options_.serverTimeout + kAnswerMargin;
        send(deadline);
        Result kept(nullptr);
        bool failed = false;
        // Whether the server refused the request before it reported any of it done: it then kept
        // nothing, whatever follows. Until it answers, a request that keeps may have been kept.
        std::optional<bool> refusedFirst;
        const auto mayHaveKept = [&] { return keeps && refusedFirst != true; };
        bool cancelled = false;
        for (;;) {
            while (PQisBusy(connection_)) {
                if (await(POLLIN, deadline)) {
                    if (!PQconsumeInput(connection_)) lost(mayHaveKept());
                } else if (!cancelled) {
                    // The server's verdict on a cancel is awaited a little: a request it cancelled
                    // was not kept, one it finished was.
                    requestCancel(connection_, kAnswerMargin);
                    deadline = Clock::now() + kAnswerMargin;
                    cancelled = true;
                } else {
                    timedOut(mayHaveKept());
                }
            }
            PGresult* result = PQgetResult(connection_);
            const bool pipelined = PQpipelineStatus(connection_) != PQ_PIPELINE_OFF;
            // In a pipeline, each request's results end with none, and the batch with its sync.
            if (!result && pipelined && PQstatus(connection_) == CONNECTION_OK) continue;
            if (!result) break;
            const ExecStatusType status = PQresultStatus(result);
            if (status == PGRES_PIPELINE_SYNC) {
                PQclear(result);
                break;
            }
            const bool error = status == PGRES_FATAL_ERROR || status == PGRES_NONFATAL_ERROR;
            if (pipelined && !awaited_.empty()) {
                // A preparation refused leaves its statement to be prepared again.
                if (error && awaited_.front() != kExecution) prepared_.reset(awaited_.front());
                awaited_.pop_front();
            }
            // A refusal is the server's when it names its cause; else the client library's own.
            if (!refusedFirst) {
                refusedFirst = error && PQresultErrorField(result, PG_DIAG_SQLSTATE) != nullptr;
            }
            // The first error is the one that counts; else the last rows.
            if (!failed) {
                kept = Result(result);
                failed = error;
            } else {
                PQclear(result);
            }
            if (PQstatus(connection_) != CONNECTION_OK) break;
        }
        if (PQstatus(connection_) != CONNECTION_OK) lost(mayHaveKept());
        if (failed) failStatement(name_, kept.raw(), writes);
        return kept;
    }

    // Sends what the client library holds of the request; a request not wholly sent is none.
    void send(Clock::time_point deadline) {
        for (int flushed; (flushed = PQflush(connection_)) != 0;) {
            if (flushed < 0) lost(false);
            if (!await(POLLIN | POLLOUT, deadline)) timedOut(false);
            if (!PQconsumeInput(connection_)) lost(false);
        }
    }

    // Waits for the events on the connection's socket until the deadline; false when it passed.
    bool await(short events, Clock::time_point deadline) const {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd socket{PQsocket(connection_), events, 0};
        return left.count() > 0 && ::poll(&socket, 1, static_cast<int>(left.count())) > 0;
    }

    // The server did not answer in time: it is left, and the next call connects again.
    // mayHaveKept: with a write that the server may have kept.
    [[noreturn]] void timedOut(bool mayHaveKept) {
        close();
        if (mayHaveKept) failUnknownOutcome(name_, "n'a pas répondu à temps");
        failUnavailable(name_, "n'a pas répondu à temps ; l'opération a été abandonnée");
    }

    // The connection was lost; mayHaveKept: with a write that the server may have kept.
    [[noreturn]] void lost(bool mayHaveKept) {
        const std::string why = connection_ ? quotedReason(PQerrorMessage(connection_)) : "";
        close();
        const std::string lost = "a été perdu" + (why.empty() ? std::string() : " : " + why);
        if (mayHaveKept) failUnknownOutcome(name_, lost);
        failUnavailable(name_, lost + " ; l'opération a été abandonnée");
    }

    std::string uri_;
    OpenOptions options_;
    std::string name_;
    PGconn* connection_ = nullptr;
    std::bitset<kStatementCount> prepared_;
    // The requests sent whose results are still to come, in order: the statement of each
    // preparation, kExecution for each run.
    static constexpr int kExecution = -1;
    std::deque<int> awaited_;
};

PostgresStore::PostgresStore(std::string uri, const OpenOptions& options)
    : connection_(std::make_unique<Connection>(std::move(uri), options)), user_(options.user) {}

PostgresStore::~PostgresStore() = default;

const std::string& PostgresStore::name() const {
    return connection_->name();
}

std::shared_ptr<PostgresStore> PostgresStore::open(const std::string& uri,
                                                   const OpenOptions& options) {
    std::shared_ptr<PostgresStore> store(new PostgresStore(uri, options));
    const Result layout = store->run(kReadLayout, {});
    if (layout.rows() != 1) {
        throw platform::ComponentError(kErrNotADatabase,
                                       "« " + store->name() +
                                           " » n'est pas une base de données multivaluée "
                                           "complète : sa table mvdb_layout est vide.");
    }
    if (layout.number(0, 0) > kLayout) {
        throw platform::ComponentError(kErrNotADatabase,
                                       "La base de données « " + store->name() +
                                           " » vient d'une version plus récente du programme.");
    }
    if (layout.number(0, 0) < kLayout) store->layOutHistory(options.readOnly);
    return store;
}

void PostgresStore::layOutHistory(bool readOnly) {
    keepsHistory_ = false;
    if (readOnly) return;
    try {
        connection_->execute(kHistoryTable);
        keepsHistory_ = true;
    } catch (const platform::ComponentError& error) {
        // A role that may not lay the table out reads the database as before, and may not write
        // it (writable) until a role that may has opened it.
        if (error.number() != kErrDatabaseReadOnly && error.number() != kErrReadRefused) throw;
    }
}

std::shared_ptr<PostgresStore> PostgresStore::create(const std::string& uri) {
    std::shared_ptr<PostgresStore> store(new PostgresStore(uri, OpenOptions{}));
    store->connection_->execute((std::string(kTables) + kHistoryTable).c_str());
    return store;
}

PostgresStore::Result PostgresStore::run(int statement, const Parameters& parameters,
                                         bool withNext) {
    countRequest();
    const bool keeps = inUnit() ? statement == kCommit : kStatements[statement].writes;
    // A unit's beginning goes with its first statement.
    const Connection::Sending sending =
        withNext || statement == kBeginRead || statement == kBeginWrite
            ? Connection::Sending::kWithNext
            : Connection::Sending::kAnswered;
    return connection_->run(statement, parameters, !inUnit(), keeps, sending);
}

void PostgresStore::runUnitStatement(UnitStatement which) {
    static constexpr std::array<int, 7> kUnitStatements = {
        kBeginWrite, kBeginRead, kCommit, kRollback, kSavepoint, kRelease, kRollbackTo};
    run(kUnitStatements[static_cast<std::size_t>(which)], {});
}

std::optional<Store::FileId> PostgresStore::findFile(std::string_view name) {
    const Result found = run(kFindFile, Parameters().bytes(name));
    if (found.rows() == 0) return std::nullopt;
    return found.number(0, 0);
}

Store::FileId PostgresStore::createFile(std::string_view name) {
    return run(kCreateFile, Parameters().bytes(name)).number(0, 0);
}

std::vector<std::string> PostgresStore::fileNames() {
    const Result names = run(kFileNames, {});
    std::vector<std::string> found;
    for (int row = 0; row < names.rows(); ++row)
        found.emplace_back(names.bytes(row, 0));
    return found;
}

void PostgresStore::removeFiles() {
    inOwnUnit(UnitKind::kWrite, [this] {
        for (const int which : {kRemoveRecords, kRemoveHistory, kRemoveFiles})
            run(which, {});
        return 0;
    });
}

bool PostgresStore::writable() {
    return run(kWritable, {}).number(0, 0) == 1;
}

std::optional<Store::Record> PostgresStore::readRecord(FileId file, std::string_view key) {
    const Result read = run(kReadRecord, Parameters().number(file).bytes(key));
    if (read.rows() == 0) return std::nullopt;
    return Record{std::string(read.bytes(0, 1)), read.number(0, 0)};
}

void PostgresStore::seekRecords(FileId file, std::span<const std::string_view> keys,
                                const KeyRecordVisitor& visit) {
    const Result read = run(kReadRecords, Parameters().number(file).byteArray(keys));
    platform::TextIndex asked(keys.size());
    for (const std::string_view key : keys)
        asked.add(key);
    for (int row = 0; row < read.rows(); ++row)
        visit(asked.find(read.bytes(row, 0)), read.bytes(row, 2), read.number(row, 1));
}

std::size_t PostgresStore::passOverFile(FileId file, const platform::TextIndex& keys,
                                        const KeyRecordVisitor& visit) {
    const Result read = run(kReadFile, Parameters().number(file));
    for (int row = 0; row < read.rows(); ++row) {
        const std::uint32_t key = keys.find(read.bytes(row, 0));
        if (key != platform::TextIndex::kNone) visit(key, read.bytes(row, 2), read.number(row, 1));
    }
    return static_cast<std::size_t>(read.rows());
}

std::size_t PostgresStore::countRecords(FileId file) {
    return static_cast<std::size_t>(run(kCountRecords, Parameters().number(file)).number(0, 0));
}

// Over the record as last read, until no other user wrote it between the read and the write: a
// write over whatever is stored, which notes in the history the very text it replaced, even when
// another user's write went first while it waited for that write's lock.
Store::Version PostgresStore::writeRecord(FileId file, std::string_view key,
                                          std::string_view text) {
    for (;;) {
        const std::optional<Record> stored = readRecord(file, key);
        const WriteResult written =
            writeRecordIf(file, key, text, stored ? std::optional(stored->version) : std::nullopt);
        if (written.conflict == Conflict::kNone) return written.version;
    }
}

Store::WriteResult PostgresStore::writeRecordIf(FileId file, std::string_view key,
                                                std::string_view text,
                                                std::optional<Version> expected) {
    Parameters parameters;
    parameters.number(file).bytes(key).bytes(text);
    if (expected) parameters.number(*expected);
    parameters.bytes(user_);
    const Result written = run(expected ? kUpdateIf : kInsertIfNone, parameters);
    if (written.rows() == 1) return {Conflict::kNone, written.number(0, 0)};
    return conflictWith(readRecord(file, key), text, !expected);
}

bool PostgresStore::deleteRecord(FileId file, std::string_view key) {
    return run(kDeleteRecord, Parameters().number(file).bytes(key).bytes(user_)).rows() > 0;
}

namespace {

// The change that a row of the history gives from its column first on: its version, time, user
// and whether it deleted.
Store::Change changeOf(const PostgresStore::Result& read, int row, int first = 0) {
    return {read.number(row, first),
            std::chrono::sys_time<std::chrono::microseconds>(
                std::chrono::microseconds(read.number(row, first + 1))),
            std::string(read.bytes(row, first + 2)), read.number(row, first + 3) != 0,
            std::nullopt};
}

}  // namespace

std::vector<Store::Change> PostgresStore::history(FileId file, std::string_view key) {
    std::vector<Change> changes;
    if (!keepsHistory_) return changes;
    const Result read = run(kHistory, Parameters().number(file).bytes(key));
    for (int row = 0; row < read.rows(); ++row) {
        Change& change = changes.emplace_back(changeOf(read, row));
        if (!read.isNull(row, 4)) change.replaced = read.bytes(row, 4);
    }
    return changes;
}

std::optional<Store::Change> PostgresStore::latestChange(FileId file, std::string_view key) {
    if (!keepsHistory_) return std::nullopt;
    const Result read = run(kLatestChange, Parameters().number(file).bytes(key));
    if (read.rows() == 0) return std::nullopt;
    return changeOf(read, 0);
}

std::size_t PostgresStore::pruneHistory(std::chrono::sys_time<std::chrono::microseconds> before) {
    if (!keepsHistory_) return 0;
    return static_cast<std::size_t>(
        run(kPruneHistory, Parameters().number(before.time_since_epoch().count())).number(0, 0));
}

void PostgresStore::scanHistory(FileId file, const ChangeVisitor& visit) {
    if (!keepsHistory_) return;
    const Result read = run(kScanHistory, Parameters().number(file));
    for (int row = 0; row < read.rows(); ++row) {
        Change change = changeOf(read, row, 1);
        if (!read.isNull(row, 5)) change.replaced = read.bytes(row, 5);
        visit(read.bytes(row, 0), change);
    }
}

Store::Version PostgresStore::lastVersion() {
    return run(kLastVersion, {}).number(0, 0);
}

void PostgresStore::restore(FileId file, std::span<const VersionedRecord> records,
                            std::span<const KeyedChange> history) {
    // The rows are sent without awaiting their answers, a round trip for each batch of them, not
    // for each row; a batch is small enough to be answered well within the wait for an answer.
    constexpr std::size_t kRowsPerAnswer = 1000;
    std::size_t sent = 0;
    Version highest = 0;
    for (const VersionedRecord& record : records) {
        run(kRestoreRecord,
            Parameters().number(file).bytes(record.key).number(record.version).bytes(record.text),
            ++sent % kRowsPerAnswer != 0);
        highest = std::max(highest, record.version);
    }
    for (const auto& [key, change] : history) {
        run(kRestoreChange,
            Parameters()
                .number(file)
                .bytes(key)
                .number(change.version)
                .number(change.deleted)
                .number(change.time.time_since_epoch().count() - kTimeOrigin)
                .bytes(change.user)
                .bytesOrNull(change.replaced),
            ++sent % kRowsPerAnswer != 0);
        highest = std::max(highest, change.version);
    }
    run(kPassVersion, Parameters().number(highest));
}

std::vector<std::string> PostgresStore::keys(FileId file) {
    const Result read = run(kKeys, Parameters().number(file));
    std::vector<std::string> found;
    found.reserve(static_cast<std::size_t>(read.rows()));
    for (int row = 0; row < read.rows(); ++row)
        found.emplace_back(read.bytes(row, 0));
    return found;
}

void PostgresStore::scan(FileId file, const RecordVisitor& visit) {
    const Result read = run(kScan, Parameters().number(file));
    for (int row = 0; row < read.rows(); ++row)
        visit(read.bytes(row, 0), read.bytes(row, 2), read.number(row, 1));
    noteFileSize(file, static_cast<std::size_t>(read.rows()));
}

}  // namespace mvdb
