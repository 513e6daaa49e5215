// A PostgreSQL server for the tests and benchmarks: made by initdb in a folder of its own,
// listening on a Unix socket in that folder only, run as the postgres system user when the
// process runs as root. The tests of one ctest run share one server (its fixture starts it and
// stops it, also when tests fail); a test that stops or restarts a server makes its own.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct pg_conn;

namespace test_support {

class PostgresServer {
public:
    // Makes and starts a server in folder, which must not exist; durable: whether it syncs its
    // writes to the disk, as a real server does (benchmarks), or not (tests, faster).
    explicit PostgresServer(std::filesystem::path folder, bool durable = false);
    // A server already running in folder, left running.
    struct Running {};
    PostgresServer(std::filesystem::path folder, Running);
    // Stops the server that it made and removes its folder.
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // The server of this run: the one running in the folder that OSTREVAN_TEST_POSTGRES names
    // (the ctest fixture's), else one of this process's own, made at the first call.
    static PostgresServer& shared();
    // A folder for a server of a test's own, where the fixture's end finds it too.
    static std::filesystem::path privateFolder();

    // Makes and starts, in folder, a standby of this server, which streams its writes and takes
    // none of its own until promoted.
    std::unique_ptr<PostgresServer> standby(std::filesystem::path folder) const;
    // Makes a standby the primary, taking writes.
    void promote() const;

    void start();
    void stop();
    // The folder of the server's Unix socket.
    const std::filesystem::path& folder() const { return folder_; }
    // Leaves the server running past this object.
    void keepRunning() { owned_ = false; }

    // The URI of a database of the server, as the database component takes it.
    std::string uri(const std::string& database, const std::string& user = "postgres") const;
    // Makes a new, empty database of the server, under a name never given before; answers its URI.
    std::string newDatabase() const;
    // The database's name in a URI that uri or newDatabase made.
    static std::string databaseOf(const std::string& uri) {
        const std::size_t start = uri.find("@/") + 2;
        return uri.substr(start, uri.find('?') - start);
    }
    // A connection to a database of the server as its superuser, kept open between statements.
    class Session {
    public:
        explicit Session(const std::string& uri);
        ~Session();
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;
        // Runs SQL; answers the first value of its last result, "" when it has none; throws on
        // an error.
        std::string run(const std::string& sql);

    private:
        ::pg_conn* connection_;
    };
    Session session(const std::string& database) const { return Session(uri(database)); }
    // Runs SQL on a database of the server in a session of its own; answers as Session::run.
    std::string run(const std::string& database, const std::string& sql) const {
        return session(database).run(sql);
    }

private:
    // Makes folder, owned by the server's system user.
    static void makeFolder(const std::filesystem::path& folder);
    // Settings of the server in folder: its socket there, no TCP; durable: whether it syncs.
    static void configure(const std::filesystem::path& folder, bool durable);
    void runProgram(const std::string& program, const std::vector<std::string>& arguments) const;

    std::filesystem::path folder_;
    bool owned_;
};

}  // namespace test_support
