// Running selection sentences with mvdb query.
#include "ToolRun.h"

namespace mvdbtool::testing {
namespace {

class QueryTest : public ToolTest {
protected:
    void SetUp() override {
        succeeds({path(), "create"});
        succeeds({path(), "put", "F", "k1", "Zoé^x^a]b"});
        succeeds({path(), "put", "F", "k2", "adèle^y"});
        succeeds({path(), "put", "F", "k3", "Bruno^x"});
    }
};

TEST_F(QueryTest, PrintsOneLinePerSelectedRecordInTheSentencesOrder) {
    EXPECT_EQ(succeeds({path(), "query", R"(SSELECT F AVEC 2 = "x" PAR 1)", "0 1 3 2"}),
              "k3]Bruno]]x\nk1]Zoé]a\\b]x\n");
    EXPECT_EQ(succeeds({path(), "query", "SSELECT F"}), "k1\nk2\nk3\n");
    EXPECT_EQ(succeeds({path(), "query", R"(SSELECT F AVEC 1 = "personne")", "0 1"}), "");
    // One record whose line is empty answers the same empty text as no record at all.
    EXPECT_EQ(succeeds({path(), "query", R"(SSELECT F AVEC 2 = "y")", "3"}), "\n");
}

}  // namespace
}  // namespace mvdbtool::testing
