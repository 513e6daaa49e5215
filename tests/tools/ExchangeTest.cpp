// Carrying records between databases as JSON lines with mvdb export and import.
#include "ToolRun.h"
#include "platform/mvdb/Database.h"

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
    succeeds({source(), "put", "F", "001",
              R"(Aide à domicile^rue]Bât. B\2e étage^^%5E %5D %5C 25 %^%2541)"});
    succeeds({source(), "put", "F", "003", "^"});
    const std::string exported = succeeds({source(), "export", "F"});
    EXPECT_EQ(exported,
              R"({"key":"001","attributes":[["Aide à domicile"],["rue",["Bât. B","2e étage"]],)"
              R"([""],["^ ] \\ 25 %"],["%41"]]})"
              "\n"
              R"({"key":"002","attributes":[]})"
              "\n"
              R"({"key":"003","attributes":[[""],[""]]})"
              "\n");
    succeeds({target(), "import", "F"}, "\n" + exported + "  \r\n");
    EXPECT_EQ(succeeds({target(), "export", "F"}),
              exported + R"({"key":"009","attributes":[["gardé"]]})" + "\n");

    // Import makes its file, and reads empty arrays as empty elements.
    succeeds({target(), "import", "NEW"}, R"({"key":"a","attributes":[[],[[]],["y",[]]]})");
    EXPECT_EQ(succeeds({target(), "show", "NEW", "a"}), "^^y]\n");
}

// Import reads its whole input before writing: into an existing file or a new one, a wrong line,
// two records of one key or an input that cannot be read fail the command, name the lines, and
// write nothing.
TEST_F(ExchangeTest, AnInputThatIsNotReadWholeAndRightWritesNothingAndIsNamed) {
    const std::string before = contents(target());
    const std::string good = R"({"key":"001","attributes":[["nouveau"]]})";
    std::vector<std::pair<std::string, std::string>> inputs;  // the input, what the error says
    for (const char* wrong : {
             R"(not json)",
             R"({"key":"002","attributes":[]} {"key":"003","attributes":[]})",
             R"({"key":"002"})",
             R"({"key":"","attributes":[["a"]]})",
             R"({"key":"002","attributes":["a"]})",
             R"({"key":"002","attributes":[["a",["b",null]]]})",
             R"({"key":"002","attributes":[],"extra":1})",
             R"({"key":"002","notation":["a"]})",
         })
        inputs.emplace_back(good + "\n\n" + wrong + "\n" + good, "Ligne 3 de l'entrée : ");
    inputs.emplace_back(R"({"key":"001","attributes":[["un"]]})"
                        "\n"
                        R"({"key":"002","attributes":[]})"
                        "\n\n"
                        R"({"key":"001","attributes":[["deux"]]})",
                        "Lignes 1 et 4 de l'entrée : la clé « 001 »");
    std::filesystem::create_directory(path("dossier"));
    for (const char* file : {"F", "NEW"}) {
        for (const auto& [input, why] : inputs) {
            SCOPED_TRACE(input);
            fails(mvdb({target(), "import", file}, input), why);
        }
        fails(run({MVDB_PATH, target(), "import", file}, "", path("dossier")),
              "L'entrée standard n'a pas pu être lue");
        EXPECT_EQ(contents(target()), before) << file;
    }
}

// Every record of the database with its exact bytes, in key order.
std::vector<std::pair<std::string, std::string>> recordsOf(const std::string& database) {
    std::vector<std::pair<std::string, std::string>> records;
    mvdb::Database::Open(database).OpenFile("F").ForEachRecord(
        [&](std::string_view key, std::string_view text) { records.emplace_back(key, text); });
    return records;
}

TEST_F(ExchangeTest, EveryRecordComesBackByteForByteAndOnlyThoseThatAreNotUtf8AreEscaped) {
    const std::vector<std::pair<std::string, std::string>> notations = {
        {"marques", R"(a^b]c\d^^]\)"},
        {"nuls", "%00a%00^%00"},
        {"latin1", "Latin-1 %E9t%E9"},
        {"malformes", "%80 %E2%82 %C0%AF %ED%A0%80 %F4%90%80%80]%FF"},
        {"clé%FF", "x"},
        {"long", std::string(100000, 'e') + "^" + std::string(70000, 'x') + "%E9"},
        {"lisible", "Heures fériées^25 %^%2541"},
    };
    const mvdb::Database database = mvdb::Database::Open(source());
    for (const auto& [key, notation] : notations)
        put(database, "F", mvdb::fromNotation(key), notation);
    const std::string exported = succeeds({source(), "export", "F"});
    EXPECT_THAT(exported, HasSubstr("\n"
                                    R"({"key":"latin1","notation":"Latin-1 %E9t%E9"})"
                                    "\n"));
    EXPECT_THAT(exported, HasSubstr(R"({"key":"lisible","attributes":[["Heures fériées"],)"));

    const std::string copy = path("copy.mvdb");
    succeeds({copy, "create"});
    succeeds({copy, "import", "F"}, exported);
    EXPECT_EQ(recordsOf(copy), recordsOf(source()));
    EXPECT_EQ(recordsOf(copy).size(), notations.size());
}

}  // namespace
}  // namespace mvdbtool::testing
