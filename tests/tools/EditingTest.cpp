// Making a database and writing, reading and removing its records with mvdb, and the failures
// that must leave it as it was.
#include "ToolRun.h"
#include "platform/mvdb/Database.h"

namespace mvdbtool::testing {
namespace {

class EditingTest : public ToolTest {
protected:
    void SetUp() override {
        succeeds({path(), "create"});
        succeeds({path(), "put", "F", "K", "x"});
    }
};

TEST_F(EditingTest, CreateRefusesAnExistingPath) {
    fails({path(), "create"}, "existe déjà");
    EXPECT_EQ(succeeds({path(), "show", "F", "K"}), "x\n");
}

TEST_F(EditingTest, PutKeepsMarksLiteralMarkCharactersAndPercents) {
    const std::string notation = R"(Nom^un]deux\bis]trois^%5E et %5D et %5C^Majoration 25 %^%2541)";
    succeeds({path(), "put", "NEW", "K", notation});
    EXPECT_EQ(succeeds({path(), "files"}), "F\nNEW\n");
    EXPECT_EQ(succeeds({path(), "show", "NEW", "K"}), notation + "\n");
    // The marks were stored as marks, the escaped characters as characters.
    EXPECT_EQ(succeeds({path(), "export", "NEW"}),
              R"({"key":"K","attributes":[["Nom"],["un",["deux","bis"],"trois"],)"
              R"(["^ et ] et \\"],["Majoration 25 %"],["%41"]]})"
              "\n");
}

TEST_F(EditingTest, DeletingTheLastRecordKeepsTheFileAndAMissingRecordIsNamed) {
    succeeds({path(), "delete", "F", "K"});
    EXPECT_EQ(succeeds({path(), "files"}), "F\n");
    EXPECT_EQ(succeeds({path(), "list", "F"}), "");
    fails({path(), "delete", "F", "K"}, "« K »");
    fails({path(), "show", "F", "K"}, "« K »");
    fails({path(), "list", "ABSENT"}, "ABSENT");
}

TEST_F(EditingTest, ListWritesEachKeyOnItsOwnLineInTheNotation) {
    for (const char* key : {"a\nb", "25 %", "%41"})
        succeeds({path(), "put", "F", key, "y"});
    EXPECT_EQ(succeeds({path(), "list", "F"}), "%2541\n25 %\nK\na%0Ab\n");
}

TEST_F(EditingTest, AFailedWriteChangesNothing) {
    const std::string before = contents(path());
    // Bad keys in a file that does not exist yet: the file must not be left behind.
    for (const std::string& key : {std::string(), std::string("a\xFE") + "b"}) {
        fails({path(), "put", "NEW", key, "y"}, "La clé");
        fails({path(), "put", "F", key, "y"}, "La clé");
        EXPECT_EQ(contents(path()), before);
    }
    const std::string missing = path("missing.mvdb");
    fails({missing, "put", "F", "K", "y"}, "n'existe pas");
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(EditingTest, APutIntoALockedDatabaseFailsAndChangesNothing) {
    const std::string before = contents(path());
    {
        // Another program is in the middle of a write: it holds the database's write lock.
        const mvdb::Database other = mvdb::Database::Open(path());
        const mvdb::Database::Transaction writing(other);
        other.OpenFile("F").NewRecord("other").DBWrite();
        fails({path(), "put", "NEW", "K", "y"}, "verrouillée");
    }
    EXPECT_EQ(contents(path()), before);
}

}  // namespace
}  // namespace mvdbtool::testing
