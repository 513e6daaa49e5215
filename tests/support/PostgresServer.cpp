#include "support/PostgresServer.h"

#include <atomic>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

#include <libpq-fe.h>
#include <unistd.h>

#include "support/Shell.h"

namespace test_support {
namespace {

namespace fs = std::filesystem;

constexpr const char* kServerUser = "postgres";
constexpr const char* kFixtureVariable = "OSTREVAN_TEST_POSTGRES";

// A name that no earlier call, in this process or another, gave.
std::string uniqueSuffix() {
    static std::atomic<int> count = 0;
    static const unsigned salt = std::random_device()();
    return std::to_string(::getpid()) + "_" + std::to_string(++count) + "_" + std::to_string(salt);
}

}  // namespace

PostgresServer::PostgresServer(fs::path folder, bool durable)
    : folder_(std::move(folder)), owned_(true) {
    makeFolder(folder_);
    runProgram("initdb", {"-D", (folder_ / "data").string(), "-A", "trust", "-U", kServerUser, "-E",
                          "UTF8", "--locale=C", "--no-sync"});
    configure(folder_, durable);
    start();
}

std::unique_ptr<PostgresServer> PostgresServer::standby(fs::path folder) const {
    makeFolder(folder);
    runProgram("pg_basebackup", {"-D", (folder / "data").string(), "-h", folder_.string(), "-U",
                                 kServerUser, "-R", "--no-sync"});
    // The copy keeps the primary's settings; its own come after them and win.
    configure(folder, false);
    std::unique_ptr<PostgresServer> standby(new PostgresServer(std::move(folder), Running{}));
    standby->owned_ = true;
    standby->start();
    return standby;
}

void PostgresServer::promote() const {
    runProgram("pg_ctl", {"-D", (folder_ / "data").string(), "-w", "promote"});
}

void PostgresServer::makeFolder(const fs::path& folder) {
    fs::create_directories(folder);
    // The folder is the server's system user's, with his group.
    if (::geteuid() == 0 &&
        test_support::run({"chown", std::string(kServerUser) + ":", folder.string()}).status != 0)
        throw std::runtime_error("cannot give " + folder.string() + " to " + kServerUser);
}

void PostgresServer::configure(const fs::path& folder, bool durable) {
    std::ofstream settings(folder / "data" / "postgresql.auto.conf", std::ios::app);
    settings << "listen_addresses = ''\nunix_socket_directories = '" << folder.string() << "'\n";
    if (!durable) settings << "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n";
}

PostgresServer::PostgresServer(fs::path folder, Running)
    : folder_(std::move(folder)), owned_(false) {}

PostgresServer::~PostgresServer() {
    if (!owned_) return;
    try {
        stop();
    } catch (const std::exception&) {
        // Already stopped, or gone: the folder goes all the same.
    }
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

PostgresServer& PostgresServer::shared() {
    static const std::unique_ptr<PostgresServer> server = [] {
        const char* folder = std::getenv(kFixtureVariable);
        if (folder && *folder) return std::make_unique<PostgresServer>(folder, Running{});
        return std::make_unique<PostgresServer>(privateFolder());
    }();
    return *server;
}

fs::path PostgresServer::privateFolder() {
    const char* fixture = std::getenv(kFixtureVariable);
    const fs::path base =
        fixture && *fixture ? fs::path(fixture) : fs::temp_directory_path() / "ostrevan-pg";
    return base.string() + "-" + uniqueSuffix();
}

void PostgresServer::start() {
    runProgram("pg_ctl", {"-D", (folder_ / "data").string(), "-l",
                          (folder_ / "server.log").string(), "-w", "start"});
}

void PostgresServer::stop() {
    runProgram("pg_ctl", {"-D", (folder_ / "data").string(), "-m", "fast", "-w", "stop"});
}

std::string PostgresServer::uri(const std::string& database, const std::string& user) const {
    return "postgresql://" + user + "@/" + database + "?host=" + folder_.string();
}

std::string PostgresServer::newDatabase() const {
    const std::string name = "t" + uniqueSuffix();
    run("postgres", "CREATE DATABASE " + name + " STRATEGY FILE_COPY");
    return uri(name);
}

PostgresServer::Session::Session(const std::string& uri) : connection_(PQconnectdb(uri.c_str())) {
    if (PQstatus(connection_) != CONNECTION_OK) {
        const std::string why = PQerrorMessage(connection_);
        PQfinish(connection_);
        throw std::runtime_error(why);
    }
}

PostgresServer::Session::~Session() {
    PQfinish(connection_);
}

std::string PostgresServer::Session::run(const std::string& sql) {
    const std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(connection_, sql.c_str()),
                                                                PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error(sql + ": " + PQresultErrorMessage(result.get()));
    return PQntuples(result.get()) > 0 ? PQgetvalue(result.get(), 0, 0) : "";
}

// Runs a program of the server's, as the server's system user when the process runs as root,
// its output appended to the folder's commands.log; throws when it does not end with status 0.
void PostgresServer::runProgram(const std::string& program,
                                const std::vector<std::string>& arguments) const {
    std::string line = ::geteuid() == 0 ? std::string("runuser -u ") + kServerUser + " -- " : "";
    line += std::string(OSTREVAN_POSTGRES_BINDIR) + "/" + program;
    line += " " + shellLine(arguments);
    const fs::path log = folder_ / "commands.log";
    if (test_support::run({"sh", "-c", line + " >>" + shellWord(log.string()) + " 2>&1"}, 5min)
            .status != 0)
        throw std::runtime_error(program + " failed; see " + log.string());
}

}  // namespace test_support
