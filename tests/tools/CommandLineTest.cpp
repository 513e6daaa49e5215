// The command line of mvdb: help, usage errors and the end of options; making a database and
// writing, reading, listing, querying and removing its records, and the failures that must leave
// it as it was.
#include <tuple>

#include "ToolRun.h"
#include "platform/mvdb/Database.h"

namespace mvdbtool::testing {
namespace {

class CommandLineTest : public ToolTest {};

TEST_F(CommandLineTest, HelpAnywherePrintsTheUsageAWrongCommandLineExitsTwoAndNeitherActs) {
    // The arguments, the exit status, and what the usage says: on the standard output for help,
    // on the standard error for a wrong command line.
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"--help"}, 0, "query SENTENCE [FIELDS]"},
        {{path(), "create", "-h"}, 0, "query SENTENCE [FIELDS]"},
        {{path(), "frobnicate", "a", "--help"}, 0, "query SENTENCE [FIELDS]"},
        {{}, 2, "usage: mvdb LOCATION VERB"},
        {{path(), "frobnicate"}, 2, "unknown verb 'frobnicate'"},
        {{path(), "create", "extra"}, 2, "usage: mvdb LOCATION create\n"},
        {{path(), "show", "F"}, 2, "usage: mvdb LOCATION show FILE KEY\n"},
        {{path(), "query", "SSELECT F", "0", "1"}, 2, "too many operands for query"},
    };
    for (const auto& [arguments, status, usage] : cases) {
        SCOPED_TRACE(usage);
        const Outcome outcome = mvdb(arguments);
        EXPECT_EQ(outcome.status, status);
        EXPECT_THAT(status == 0 ? outcome.out : outcome.err, HasSubstr(usage));
        EXPECT_EQ(status == 0 ? outcome.err : outcome.out, "");
        EXPECT_FALSE(std::filesystem::exists(path()));
    }
}

// A database holding record K of file F.
class EditingTest : public ToolTest {
protected:
    void SetUp() override {
        succeeds({path(), "create"});
        succeeds({path(), "put", "F", "K", "x"});
    }
};

// Put makes its file; show and list write records and keys in the notation. That the marks were
// stored as marks and the escaped characters as characters, export shows (ExchangeTest).
TEST_F(EditingTest, PutMakesItsFileAndShowAndListWriteInTheNotation) {
    const std::string notation = R"(Nom^un]deux\bis]trois^%5E et %5D et %5C^Majoration 25 %^%2541)";
    succeeds({path(), "put", "NEW", "K", notation});
    EXPECT_EQ(succeeds({path(), "files"}), "F\nNEW\n");
    EXPECT_EQ(succeeds({path(), "show", "NEW", "K"}), notation + "\n");
    for (const char* key : {"a\nb", "25 %", "%41"})
        succeeds({path(), "put", "F", key, "y"});
    EXPECT_EQ(succeeds({path(), "list", "F"}), "%2541\n25 %\nK\na%0Ab\n");
}

TEST_F(EditingTest, DeletingTheLastRecordKeepsTheFileAndAMissingRecordIsNamed) {
    succeeds({path(), "delete", "F", "K"});
    EXPECT_EQ(succeeds({path(), "files"}), "F\n");
    EXPECT_EQ(succeeds({path(), "list", "F"}), "");
    fails(mvdb({path(), "delete", "F", "K"}), "« K »");
    fails(mvdb({path(), "show", "F", "K"}), "« K »");
    fails(mvdb({path(), "list", "ABSENT"}), "ABSENT");
}

TEST_F(EditingTest, AFailedCreateOrWriteChangesNothing) {
    const std::string before = contents(path());
    fails(mvdb({path(), "create"}), "existe déjà");
    // Bad keys in a file that does not exist yet: the file must not be left behind.
    for (const std::string& key : {std::string(), std::string("a\xFE") + "b"}) {
        fails(mvdb({path(), "put", "NEW", key, "y"}), "La clé");
        fails(mvdb({path(), "put", "F", key, "y"}), "La clé");
    }
    {
        // Another program is in the middle of a write: it holds the database's write lock.
        const mvdb::Database other = mvdb::Database::Open(path());
        const mvdb::Database::Transaction writing(other);
        other.OpenFile("F").NewRecord("other").DBWrite();
        fails(mvdb({path(), "put", "NEW", "K", "y"}), "verrouillée");
    }
    EXPECT_EQ(contents(path()), before);
    const std::string missing = path("missing.mvdb");
    fails(mvdb({missing, "put", "F", "K", "y"}), "n'existe pas");
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(EditingTest, QueryPrintsOneLinePerSelectedRecordInTheSentencesOrder) {
    succeeds({path(), "put", "F", "k1", "Zoé^x^a]b"});
    succeeds({path(), "put", "F", "k2", "adèle^y"});
    succeeds({path(), "put", "F", "k3", "Bruno^x"});
    EXPECT_EQ(succeeds({path(), "query", R"(SSELECT F AVEC 2 = "x" PAR 1)", "0 1 3 2"}),
              "k3]Bruno]]x\nk1]Zoé]a\\b]x\n");
    EXPECT_EQ(succeeds({path(), "query", "SSELECT F"}), "K\nk1\nk2\nk3\n");
    EXPECT_EQ(succeeds({path(), "query", R"(SSELECT F AVEC 1 = "personne")", "0 1"}), "");
    // One record whose line is empty answers the same empty text as no record at all.
    EXPECT_EQ(succeeds({path(), "query", R"(SSELECT F AVEC 2 = "y")", "3"}), "\n");
}

}  // namespace
}  // namespace mvdbtool::testing
