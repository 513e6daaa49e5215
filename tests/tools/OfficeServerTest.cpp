// An office's database on its PostgreSQL server: a file moved onto the server by mvdb dump and
// restore.
#include <regex>
#include <tuple>

#include "ToolRun.h"
#include "support/PostgresServer.h"

namespace mvdbtool::testing {
namespace {

using test_support::PostgresServer;
constexpr auto databaseOf = &PostgresServer::databaseOf;

using OfficeServerTest = ToolTest;

// The history of a record as the store keeps it, each version less shift: a state to compare.
using History =
    std::vector<std::tuple<mvdb::Store::Version, std::chrono::sys_time<std::chrono::microseconds>,
                           std::string, bool, std::optional<std::string>>>;
History historyOf(const std::string& location, const std::string& file, const std::string& key,
                  mvdb::Store::Version shift = 0) {
    History history;
    for (const mvdb::Store::Change& change :
         mvdb::Database::Open(location).OpenFile(file).History(key))
        history.emplace_back(change.version - shift, change.time, change.user, change.deleted,
                             change.replaced);
    return history;
}

// The sample file, with an empty file, a record that is no UTF-8 written twice and a record
// deleted, dumped with its history, restored into a new database of the server, written there by
// another user, dumped, restored into a new file, dumped again: the same bytes each time, every
// entry of history as it was. A dump of an earlier version, without versions or history, restores
// too. A restore that fails at its last record, replacing that database's contents, leaves them as
// they were, and so does a restore refused because the database already holds records; the
// server's dump replaces the file's records, their versions raised above those the file gave.
TEST_F(OfficeServerTest, AFileMovesToTheServerByteForByteWithItsHistory) {
    succeeds({path(), "sample"});
    succeeds({path(), "put", "ASSOCIATION", "k%E9%FF", "x"});
    succeeds({path(), "put", "ASSOCIATION", "k%E9%FF", "Latin-1 %E9t%E9^%00]x\\y"});
    succeeds({path(), "put", "BLANC", "1", "x"});
    succeeds({path(), "delete", "BLANC", "1"});
    const std::string dump = succeeds({path(), "dump"});
    ASSERT_NE(
        dump.find("{\"file\":\"BLANC\"}\n{\"history\":\"1\",\"version\":1,\"deleted\":false,"),
        std::string::npos);

    PostgresServer& postgres = PostgresServer::shared();
    const std::string server = postgres.newDatabase();
    EXPECT_EQ(mvdb({server, "restore"}, dump).status, 0);
    EXPECT_EQ(succeeds({server, "dump"}), dump);
    EXPECT_EQ(historyOf(server, "ASSOCIATION", "k%E9%FF"),
              historyOf(path(), "ASSOCIATION", "k%E9%FF"));
    const std::string clerk = "paie_" + databaseOf(server);
    postgres.run(databaseOf(server),
                 "CREATE ROLE " + clerk + " LOGIN; GRANT ALL ON ALL TABLES IN SCHEMA public TO " +
                     clerk + "; GRANT ALL ON SEQUENCE mvdb_versions TO " + clerk);
    succeeds({postgres.uri(databaseOf(server), clerk), "put", "BLANC", "1", "y"});
    const std::string twoUsers = succeeds({server, "dump"});
    EXPECT_EQ(mvdb({path("copie.mvdb"), "restore"}, twoUsers).status, 0);
    EXPECT_EQ(succeeds({path("copie.mvdb"), "dump"}), twoUsers);
    EXPECT_EQ(historyOf(path("copie.mvdb"), "BLANC", "1"), historyOf(server, "BLANC", "1"));

    const std::string earlier =
        std::regex_replace(std::regex_replace(dump, std::regex("\\{\"history\".*\\n"), ""),
                           std::regex("\"version\":[0-9]+,"), "");
    EXPECT_EQ(mvdb({path("ancien.mvdb"), "restore"}, earlier).status, 0);
    EXPECT_EQ(contents(path("ancien.mvdb")), contents(path()));

    const std::string tooLongKey(1001, 'k');
    const std::string failing =
        "{\"file\":\"AUTRE\"}\n{\"key\":\"1\",\"attributes\":[[\"a\"]]}\n{\"file\":\"ZZZ\"}\n"
        "{\"key\":\"" +
        tooLongKey + "\",\"attributes\":[]}\n";
    fails(mvdb({server, "restore", "--replace"}, failing), "1001 octets");
    fails(mvdb({server, "restore"}, failing), "contient déjà des enregistrements");
    EXPECT_EQ(succeeds({server, "dump"}), twoUsers);

    // Back onto the file, changed since: replaced whole, every version above those it gave.
    const History given = historyOf(path(), "ASSOCIATION", "k%E9%FF");
    succeeds({path(), "put", "AUTRE", "1", "y"});
    EXPECT_EQ(mvdb({path(), "restore", "--replace"}, dump).status, 0);
    EXPECT_EQ(contents(path()), contents(path("ancien.mvdb")));
    const History restored = historyOf(path(), "ASSOCIATION", "k%E9%FF");
    ASSERT_FALSE(restored.empty());
    const mvdb::Store::Version shift = std::get<0>(restored.front()) - std::get<0>(given.front());
    EXPECT_GE(shift, std::get<0>(given.front()));
    EXPECT_EQ(historyOf(path(), "ASSOCIATION", "k%E9%FF", shift), given);
}

}  // namespace
}  // namespace mvdbtool::testing
