// What only a server's database meets: a server that cannot be reached, refuses the user, is
// stopped, restarted or stops answering under an open handle, a connection dropped in the middle
// of a write, another user's lock, and a user who may only read. Each test has a server of its
// own, which it stops or whose roles it changes.
#include <future>
#include <thread>

#include <gtest/gtest.h>
#include <signal.h>

#include "TestDatabase.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbError.h"
#include "support/PostgresServer.h"

namespace mvdb {
namespace {

using test_support::failureOf;
using test_support::PostgresServer;
using testing::errorNumberOf;

constexpr const char* kStored = "14/03/2025^MDUPONT^^^101]102^^^^";

// A server of the test's own, holding a database with record 001.
class PostgresStoreTest : public testing::TestDatabase {
protected:
    PostgresStoreTest()
        : server_(PostgresServer::privateFolder()),
          location_(server_.newDatabase()),
          database_(Database::Create(location_)) {
        put(database_, "TPSPARAMBASCUL", "001", kStored);
    }

    // A handle that waits little for a lock and for the server's answers.
    Database waitingLittle() const {
        return Database::Open(
            location_, {std::chrono::milliseconds(200), false, std::chrono::milliseconds(1000)});
    }

    DbFile parameters() const { return database_.OpenFile("TPSPARAMBASCUL"); }
    std::string databaseName() const {
        return location_.substr(location_.find("@/") + 2,
                                location_.find('?') - location_.find("@/") - 2);
    }
    std::string query(const std::string& sql) const { return server_.run(databaseName(), sql); }

    PostgresServer server_;
    std::string location_;
    Database database_;
};

TEST_F(PostgresStoreTest, AServerOutOfReachARefusedUserAReaderAndALockFailEachByItsNumber) {
    const std::string nowhere = "postgresql://paie:secret@/ostrevan?host=" + path("no-server");
    const platform::ComponentError unreachable = failureOf([&] { Database::Open(nowhere); });
    EXPECT_EQ(unreachable.number(), kErrServerUnavailable);
    EXPECT_TRUE(std::string(unreachable.what())
                    .starts_with("Le serveur de la base de données « postgresql://paie@" +
                                 path("no-server") + "/ostrevan » ne répond pas"))
        << unreachable.what();
    EXPECT_EQ(std::string(unreachable.what()).find("secret"), std::string::npos);

    const platform::ComponentError refused =
        failureOf([&] { Database::Open(server_.uri(databaseName(), "inconnu")); });
    EXPECT_EQ(refused.number(), kErrServerUnavailable);
    EXPECT_NE(std::string(refused.what()).find("inconnu"), std::string::npos) << refused.what();
    // A database without its tables is none of ours.
    EXPECT_EQ(errorNumberOf([&] { Database::Open(server_.newDatabase()); }), kErrNotADatabase);

    // A user who may only read reads, and is refused writes.
    query("CREATE ROLE lecteur LOGIN; GRANT SELECT ON ALL TABLES IN SCHEMA public TO lecteur");
    const Database reader = Database::Open(server_.uri(databaseName(), "lecteur"));
    DbRecord read = reader.OpenFile("TPSPARAMBASCUL").ReadRecord("001");
    read.Replace(5, 1, 0, "110");
    EXPECT_EQ(errorNumberOf([&] { read.DBWrite(); }), kErrDatabaseReadOnly);
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), kStored);

    // A record locked by another user fails as locked after the wait, and saves once freed.
    DbRecord record = waitingLittle().OpenFile("TPSPARAMBASCUL").ReadRecord("001");
    record.Replace(5, 1, 0, "110");
    PostgresServer::Session other = server_.session(databaseName());
    other.run("BEGIN; SELECT * FROM mvdb_records FOR UPDATE");
    EXPECT_EQ(errorNumberOf([&] { record.DBWrite(); }), kErrDatabaseLocked);
    other.run("ROLLBACK");
    record.DBWrite();
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^110]102^^^^");
}

// A server that stops answering, drops the connection in the middle of a write, or is restarted:
// the call fails instead of hanging, nothing is written, and the next call is served.
TEST_F(PostgresStoreTest, AServerThatFailsUnderAnOpenHandleFailsTheCallAndServesTheNextOne) {
    const Database waiting = waitingLittle();
    DbFile file = waiting.OpenFile("TPSPARAMBASCUL");
    const int backend =
        std::stoi(query("SELECT pid FROM pg_stat_activity WHERE application_name"
                        " = 'ostrevan' ORDER BY backend_start DESC LIMIT 1"));
    ::kill(backend, SIGSTOP);
    const platform::ComponentError frozen = failureOf([&] { file.ReadRecord("001"); });
    ::kill(backend, SIGCONT);
    EXPECT_EQ(frozen.number(), kErrServerUnavailable);
    EXPECT_NE(std::string(frozen.what()).find("n'a pas répondu à temps"), std::string::npos);
    EXPECT_EQ(toNotation(file.ReadRecord("001").Extract()), kStored);

    DbRecord record = parameters().ReadRecord("001");
    record.Replace(5, 1, 0, "110");
    // Another user holds the record, so that the write waits on the server, where its connection
    // is dropped.
    PostgresServer::Session other = server_.session(databaseName());
    other.run("BEGIN; SELECT * FROM mvdb_records FOR UPDATE");
    std::future<std::int32_t> writing =
        std::async(std::launch::async, [&] { return errorNumberOf([&] { record.DBWrite(); }); });
    while (query("SELECT count(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock'") == "0")
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    query(
        "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE application_name ="
        " 'ostrevan' AND wait_event_type = 'Lock'");
    EXPECT_EQ(writing.get(), kErrServerUnavailable);
    other.run("ROLLBACK");
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), kStored);
    record.DBWrite();
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^110]102^^^^");

    record = parameters().ReadRecord("001");
    server_.stop();
    record.Replace(5, 2, 0, "120");
    EXPECT_EQ(errorNumberOf([&] { record.DBWrite(); }), kErrServerUnavailable);
    EXPECT_EQ(errorNumberOf([&] { parameters().ReadRecord("001"); }), kErrServerUnavailable);
    server_.start();
    record.DBWrite();
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^110]120^^^^");
}

}  // namespace
}  // namespace mvdb
