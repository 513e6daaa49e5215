// An office's database on its PostgreSQL server: a file moved onto the server by mvdb dump and
// restore, and a clerk whose role may only read it, who gets the read-only screen.
#include <fstream>

#include "ToolRun.h"
#include "support/PostgresServer.h"

namespace mvdbtool::testing {
namespace {

using test_support::PostgresServer;

class OfficeServerTest : public ToolTest {
protected:
    // Runs mvdb restore on location with the dump on its standard input.
    Outcome restore(const std::string& location, const std::string& dump,
                    const std::string& replace = "") const {
        std::vector<std::string> arguments = {location, "restore"};
        if (!replace.empty()) arguments.push_back(replace);
        return mvdb(arguments, dump);
    }
};

// The sample file, with an empty file and a record that is no UTF-8, dumped, restored into a new
// database of the server, dumped again: the same bytes. A restore that fails at its last record,
// replacing that database's contents, leaves them as they were, and so does a restore refused
// because the database already holds records; the server's dump replaces the file's records.
TEST_F(OfficeServerTest, AFileMovesToTheServerByteForByteAndAFailedRestoreChangesNothing) {
    succeeds({path(), "sample"});
    succeeds({path(), "put", "ASSOCIATION", "k%E9%FF", "Latin-1 %E9t%E9^%00]x\\y"});
    succeeds({path(), "put", "BLANC", "1", "x"});
    succeeds({path(), "delete", "BLANC", "1"});
    const std::string dump = succeeds({path(), "dump"});
    ASSERT_NE(dump.find("{\"file\":\"BLANC\"}\n{\"file\":\"RUBSAISIE\"}\n"), std::string::npos);

    const std::string server = PostgresServer::shared().newDatabase();
    EXPECT_EQ(restore(server, dump).status, 0);
    EXPECT_EQ(succeeds({server, "dump"}), dump);

    const std::string tooLongKey(1001, 'k');
    const std::string failing =
        "{\"file\":\"AUTRE\"}\n{\"key\":\"1\",\"attributes\":[[\"a\"]]}\n{\"file\":\"ZZZ\"}\n"
        "{\"key\":\"" +
        tooLongKey + "\",\"attributes\":[]}\n";
    fails(restore(server, failing, "--replace"), "1001 octets");
    fails(restore(server, failing), "contient déjà des enregistrements");
    EXPECT_EQ(succeeds({server, "dump"}), dump);

    // Back onto the file, changed since: replaced whole.
    succeeds({path(), "put", "AUTRE", "1", "y"});
    EXPECT_EQ(restore(path(), succeeds({server, "dump"}), "--replace").status, 0);
    EXPECT_EQ(succeeds({path(), "dump"}), dump);
}

// A clerk whose role the server grants only SELECT gets the read-only screen from the start, even
// at the level that may change the parameters.
TEST_F(OfficeServerTest, AClerkWhoseRoleMayOnlyReadGetsTheReadOnlyScreen) {
    PostgresServer& server = PostgresServer::shared();
    const std::string location = server.newDatabase();
    succeeds({location, "sample"});
    const std::size_t start = location.find("@/") + 2;
    const std::string database = location.substr(start, location.find('?') - start);
    const std::string clerk = "consultant_" + database;
    server.run(database, "CREATE ROLE " + clerk +
                             " LOGIN; GRANT SELECT ON ALL TABLES IN SCHEMA"
                             " public TO " +
                             clerk);
    std::ofstream(path("consultant.script")) << "expect Cmd_Ok.Visible False\n"
                                                "type Txt_Entite 007\n"
                                                "expect Lst_Detail.ListCount 4\n";
    const Outcome played =
        run({"env", "OSTREVAN_REGISTRY=" + path("registry.json"), "XDG_CONFIG_HOME=" + path(""),
             HOST_PATH, "--db", server.uri(database, clerk), "--access-level", "2", "--headless",
             "--script", path("consultant.script")});
    EXPECT_EQ(played.status, 0) << played.out << played.err;
}

}  // namespace
}  // namespace mvdbtool::testing
