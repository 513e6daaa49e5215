// The command line of mvdb: help, usage errors and the end of options; making a database and
// writing, reading, listing, querying and removing its records, and the failures that must leave
// it as it was; carrying records between databases as JSON lines with export and import.
#include <map>
#include <regex>
#include <tuple>

#include <pwd.h>
#include <unistd.h>

#include "ToolRun.h"
#include "platform/mvdb/Database.h"

namespace mvdbtool::testing {
namespace {

class CommandLineTest : public ToolTest {};

TEST_F(CommandLineTest, HelpAnywherePrintsTheUsageAWrongCommandLineExitsTwoAndNeitherActs) {
    // The arguments, the exit status, and what the usage says: on the standard output for help,
    // on the standard error for a wrong command line.
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"--help"}, 0, "query PHRASE [CHAMPS]"},
        {{path(), "create", "-h"}, 0, "query PHRASE [CHAMPS]"},
        {{path(), "frobnicate", "a", "--help"}, 0, "query PHRASE [CHAMPS]"},
        {{path(), "create", "--version"}, 0, "mvdb " OSTREVAN_VERSION "\n"},
        {{}, 2, "usage : mvdb EMPLACEMENT VERBE"},
        {{path(), "frobnicate"}, 2, "verbe inconnu : « frobnicate »"},
        {{path(), "create", "extra"}, 2, "usage : mvdb EMPLACEMENT create\n"},
        {{path(), "show", "F"}, 2, "usage : mvdb EMPLACEMENT show FICHIER CLÉ\n"},
        {{path(), "query", "SSELECT F", "0", "1"}, 2, "trop d'opérandes pour query"},
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

// A server's location is named in the errors of the verbs without its password: the database
// that exists already, whose files hold records, or that has no such file; a location that does
// not parse is refused without being repeated.
TEST_F(CommandLineTest, AServersLocationIsNamedWithoutItsPassword) {
    std::string location = test_support::PostgresServer::shared().newDatabase();
    location.insert(location.find('@'), ":motdepasse");
    succeeds({location, "sample"});
    for (std::vector<std::string> verb :
         std::vector<std::vector<std::string>>{{"create"}, {"sample"}, {"list", "ABSENT"}}) {
        verb.insert(verb.begin(), location);
        const Outcome outcome = mvdb(verb);
        fails(outcome, "« postgresql://postgres@");
        EXPECT_EQ(outcome.err.find("motdepasse"), std::string::npos) << verb[1];
    }
    location.insert(location.find("motdepasse"), "%ZZ");
    fails(mvdb({location, "files"}), "mal formée");
    EXPECT_EQ(mvdb({location, "files"}).err.find("motdepasse"), std::string::npos);
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
    EXPECT_EQ(succeeds({path(), "files"}), "ASSOCIATION\nF\nNEW\nRUBSAISIE\nTPSPARAMBASCUL\n");
    EXPECT_EQ(succeeds({path(), "show", "NEW", "K"}), notation + "\n");
    for (const char* key : {"a\nb", "25 %", "%41"})
        succeeds({path(), "put", "F", key, "y"});
    EXPECT_EQ(succeeds({path(), "list", "F"}), "%2541\n25 %\nK\na%0Ab\n");
}

// A failed command changes nothing; a missing record or file is named. That deleting the last
// record keeps its file is the component's rule (DatabaseTest).
TEST_F(EditingTest, AFailedCommandChangesNothingAndAMissingRecordIsNamed) {
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
    succeeds({path(), "delete", "F", "K"});
    EXPECT_EQ(succeeds({path(), "list", "F"}), "");
    fails(mvdb({path(), "delete", "F", "K"}), "« K »");
    fails(mvdb({path(), "list", "ABSENT"}), "ABSENT");
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
    EXPECT_EQ(succeeds({path(), "query", R"(SSELECT F AVEC 1 = "personne")", "0 1"}), "");
    // One record whose line is empty answers the same empty text as no record at all.
    EXPECT_EQ(succeeds({path(), "query", R"(SSELECT F AVEC 2 = "y")", "3"}), "\n");
}

// History shows each write and the deletion, newest first, with its user, and for a parameter
// record its entity, then the lines of rubrics each added and removed, in the order of the screen's
// columns, each rubric with its label where it has one, found as the screen finds it (001 kept as
// 1).
TEST_F(CommandLineTest, HistoryShowsTheVersionsNewestFirstWithTheirUserAndTheirLines) {
    succeeds({path(), "create"});
    succeeds({path(), "put", "RUBSAISIE", "1", "Évaluation^3"});
    succeeds({path(), "put", "RUBSAISIE", "101", "Heures normales^3"});
    succeeds({path(), "put", "ASSOCIATION", "007", "Domicile Plus^3 rue Haute"});
    const std::vector<std::string> texts = {
        "^^^^001]002^101]102^201]202^301]302^401]402",  // lines 001... and 002...
        "^^^^001]003^101]103^201]^301]302^401]402",     // 002... becomes 003...
        "Note^^^^001]003^101]103^201]^301]302^401]402"  // no line changes
    };
    for (const std::string& text : texts)
        succeeds({path(), "put", "TPSPARAMBASCUL", "007", text});
    succeeds({path(), "delete", "TPSPARAMBASCUL", "007"});
    // The user is the operating system's, whose name holds no sign that a pattern reads.
    const std::regex header(std::string("version [0-9]+ · [0-9-]+T[0-9:]+Z · ") +
                            ::getpwuid(::geteuid())->pw_name);
    EXPECT_EQ(std::regex_replace(succeeds({path(), "history", "TPSPARAMBASCUL", "007"}), header,
                                 "version N · TIME · USER"),
              R"(Entité juridique 007 · Domicile Plus
version N · TIME · USER · suppression
  - 001 Évaluation · 101 Heures normales · 301 · 401 · 201
  - 003 · 103 · 302 · 402 · ---
version N · TIME · USER
version N · TIME · USER
  + 003 · 103 · 302 · 402 · ---
  - 002 · 102 · 302 · 402 · 202
version N · TIME · USER
  + 001 Évaluation · 101 Heures normales · 301 · 401 · 201
  + 002 · 102 · 302 · 402 · 202
)");
    // The first version written back re-creates the record; a date that does not exist is
    // refused, and nothing was written before 2000.
    succeeds({path(), "revert", "TPSPARAMBASCUL", "007", "1"});
    EXPECT_EQ(succeeds({path(), "show", "TPSPARAMBASCUL", "007"}), texts[0] + "\n");
    fails(mvdb({path(), "prune", "--before", "2025-02-30"}), "n'est pas une date");
    EXPECT_EQ(succeeds({path(), "prune", "--before", "2000-01-01T00:00Z"}), "0\n");
}

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

// Every record of the database with its exact bytes.
std::map<std::string, std::string> recordsOf(const std::string& database) {
    std::map<std::string, std::string> records;
    mvdb::Database::Open(database).OpenFile("F").ForEachRecord(
        [&](std::string_view key, std::string_view text, mvdb::Store::Version) {
            records.emplace(key, text);
        });
    return records;
}

// Exported records import byte for byte and replace only their keys; the notation is kept as text
// only for records that are not UTF-8, the others being written as arrays of marks.
TEST_F(ExchangeTest, EveryRecordComesBackByteForByteReplacingOnlyItsKeyAndOnlyNonUtf8IsEscaped) {
    const std::vector<std::pair<std::string, std::string>> notations = {
        {"001", R"(Aide à domicile^rue]Bât. B\2e étage^^%5E %5D %5C 25 %^%2541)"},
        {"002", ""},
        {"003", "^"},
        {"marques", R"(a^b]c\d^^]\)"},
        {"nuls", "%00a%00^%00"},
        {"latin1", "Latin-1 %E9t%E9"},
        {"malformes", "%80 %E2%82 %C0%AF %ED%A0%80 %F4%90%80%80]%FF"},
        {"clé%FF", "x"},
        {"long", std::string(100000, 'e') + "^" + std::string(70000, 'x') + "%E9"},
    };
    const mvdb::Database database = mvdb::Database::Open(source());
    for (const auto& [key, notation] : notations)
        put(database, "F", mvdb::fromNotation(key), notation);
    const std::string exported = succeeds({source(), "export", "F"});
    EXPECT_THAT(exported,
                HasSubstr(R"({"key":"001","attributes":[["Aide à domicile"],["rue",["Bât. B","2e )"
                          R"(étage"]],[""],["^ ] \\ 25 %"],["%41"]]})"
                          "\n"
                          R"({"key":"002","attributes":[]})"
                          "\n"
                          R"({"key":"003","attributes":[[""],[""]]})"
                          "\n"));
    EXPECT_THAT(exported, HasSubstr("\n"
                                    R"({"key":"latin1","notation":"Latin-1 %E9t%E9"})"
                                    "\n"));

    succeeds({target(), "import", "F"}, "\n" + exported + "  \r\n");
    std::map<std::string, std::string> expected = recordsOf(source());
    expected.emplace("009", "gardé");
    EXPECT_EQ(recordsOf(target()), expected);
    EXPECT_EQ(expected.size(), notations.size() + 1);

    // Import makes its file, and reads empty arrays as empty elements.
    succeeds({target(), "import", "NEW"}, R"({"key":"a","attributes":[[],[[]],["y",[]]]})");
    EXPECT_EQ(succeeds({target(), "show", "NEW", "a"}), "^^y]\n");
}

}  // namespace
}  // namespace mvdbtool::testing
