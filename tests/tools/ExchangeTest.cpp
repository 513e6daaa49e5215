// Carrying records between databases as JSON lines with mvdb export and import.
#include "ToolRun.h"

namespace mvdbtool::testing {
namespace {

class ExchangeTest : public ToolTest {
protected:
    void SetUp() override {
        succeeds({source(), "create"});
        succeeds({target(), "create"});
        succeeds({target(), "put", "F", "001", "ancien"});
        succeeds({target(), "put", "F", "009", "gardé"});
    }
    std::string source() const { return path("source.mvdb"); }
    std::string target() const { return path("target.mvdb"); }
};

TEST_F(ExchangeTest, ExportedRecordsImportAsTheyWereAndReplaceOnlyTheirKeys) {
    succeeds({source(), "put", "F", "002", ""});
    succeeds({source(), "put", "F", "001", R"(Aide à domicile^rue]Bât. B\2e étage^^%5E 25 %)"});
    succeeds({source(), "put", "F", "003", "^"});
    const std::string exported = succeeds({source(), "export", "F"});
    EXPECT_EQ(exported,
              R"({"key":"001","attributes":[["Aide à domicile"],["rue",["Bât. B","2e étage"]],)"
              R"([""],["^ 25 %"]]})"
              "\n"
              R"({"key":"002","attributes":[]})"
              "\n"
              R"({"key":"003","attributes":[[""],[""]]})"
              "\n");
    succeeds({target(), "import", "F"}, "\n" + exported + "  \r\n");
    EXPECT_EQ(succeeds({target(), "export", "F"}),
              exported + R"({"key":"009","attributes":[["gardé"]]})" + "\n");
}

TEST_F(ExchangeTest, ImportMakesItsFileAndReadsEmptyArraysAsEmptyElements) {
    succeeds({target(), "import", "NEW"}, R"({"key":"a","attributes":[[],[[]],["y",[]]]})");
    EXPECT_EQ(succeeds({target(), "show", "NEW", "a"}), "^^y]\n");
}

TEST_F(ExchangeTest, AWrongLineWritesNothingAndIsNamed) {
    const std::string before = contents(target());
    const std::string good = R"({"key":"001","attributes":[["nouveau"]]})";
    for (const char* wrong : {
             R"(not json)",
             R"({"key":"002","attributes":[]} {"key":"003","attributes":[]})",
             R"({"key":"002"})",
             R"({"key":"","attributes":[["a"]]})",
             R"({"key":"002","attributes":["a"]})",
             R"({"key":"002","attributes":[["a",["b",null]]]})",
             R"({"key":"002","attributes":[],"extra":1})",
         }) {
        SCOPED_TRACE(wrong);
        const std::string input = good + "\n\n" + wrong + "\n" + good;
        for (const char* file : {"F", "NEW"}) {
            fails({target(), "import", file}, "Ligne 3 de l'entrée : ", input);
            EXPECT_EQ(contents(target()), before);
        }
    }
}

TEST_F(ExchangeTest, ARecordThatIsNotUtf8IsNamedAndNothingIsExported) {
    succeeds({source(), "put", "F", "k0", "lisible"});
    succeeds({source(), "put", "F", "k1", "Latin-1 %E9t%E9"});
    fails({source(), "export", "F"}, "« k1 » n'est pas un texte UTF-8 valide");
}

TEST_F(ExchangeTest, AnInputThatCannotBeReadFailsAndWritesNothing) {
    const std::string before = contents(target());
    const std::string folder = path("dossier");
    std::filesystem::create_directory(folder);
    for (const char* file : {"F", "NEW"}) {
        const Outcome outcome = mvdbReading({target(), "import", file}, folder);
        EXPECT_EQ(outcome.status, 1) << file;
        EXPECT_THAT(outcome.err, HasSubstr("L'entrée standard n'a pas pu être lue"));
        EXPECT_EQ(contents(target()), before) << file;
    }
}

TEST_F(ExchangeTest, TwoRecordsOfOneKeyAreRefusedByKeyAndLines) {
    const std::string before = contents(target());
    const std::string input = R"({"key":"001","attributes":[["un"]]})"
                              "\n"
                              R"({"key":"002","attributes":[]})"
                              "\n\n"
                              R"({"key":"001","attributes":[["deux"]]})";
    for (const char* file : {"F", "NEW"}) {
        fails({target(), "import", file}, "Lignes 1 et 4 de l'entrée : la clé « 001 »", input);
        EXPECT_EQ(contents(target()), before) << file;
    }
}

}  // namespace
}  // namespace mvdbtool::testing
