// The sample database that mvdb sample writes, read as the settings screen reads it; and a
// database file in a folder that two clerks share: its owner, who may write it, and a colleague
// whose system user may only read it. The colleague views the database without leaving anything
// that blocks the owner, and cannot change it. That test runs each clerk's programs as a user of
// its own, so it needs to run as root.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

#include "ToolRun.h"
#include "mvdb/OtherProgram.h"
#include "platform/mvdb/Marks.h"

namespace mvdbtool::testing {
namespace {

// The rubrics that may receive hours, as the screen asks for them; their order is the selection's
// (DatabaseTest).
constexpr const char* kOfferedRubrics = R"(SSELECT RUBSAISIE AVEC 2 = "3" OR = "4" OR = "5" PAR 1)";

// The pieces of text between separators, as the component cuts a text at its marks.
std::vector<std::string> split(std::string_view text, char separator) {
    const std::vector<std::string_view> pieces = mvdb::splitPieces(text, separator);
    return {pieces.begin(), pieces.end()};
}

class SampleTest : public ToolTest {
protected:
    void SetUp() override { succeeds({path(), "sample"}); }

    // The selected records, each cut into its values.
    std::vector<std::vector<std::string>> query(const std::string& sentence,
                                                const std::string& fields) const {
        std::vector<std::vector<std::string>> rows;
        std::vector<std::string> lines = split(succeeds({path(), "query", sentence, fields}), '\n');
        lines.pop_back();
        for (const std::string& line : lines)
            rows.push_back(split(line, ']'));
        return rows;
    }
};

TEST_F(SampleTest, RefusesADatabaseWhoseFilesHoldRecords) {
    EXPECT_EQ(succeeds({path(), "files"}), "ASSOCIATION\nRUBSAISIE\nTPSPARAMBASCUL\n");
    const std::string before = contents(path());
    fails(mvdb({path(), "sample"}), "ASSOCIATION");
    EXPECT_EQ(contents(path()), before);
    // The files made before the one that is already there are undone too.
    const std::string other = path("other.mvdb");
    succeeds({other, "restore"},
             "{\"file\":\"TPSPARAMBASCUL\"}\n{\"key\":\"1\",\"attributes\":[]}\n");
    fails(mvdb({other, "sample"}), "TPSPARAMBASCUL");
    EXPECT_EQ(succeeds({other, "files"}), "TPSPARAMBASCUL\n");
}

TEST_F(SampleTest, EveryParameterLineNamesOpenRubricsOnlyAndClosedOnesAreOfferedToo) {
    const auto rubrics = query(kOfferedRubrics, "0 1 2 18");
    ASSERT_GE(rubrics.size(), 30U);
    std::set<std::string> open = {""};
    for (const auto& rubric : rubrics)
        if (rubric[3].empty()) open.insert(rubric[0]);
    EXPECT_TRUE(std::any_of(rubrics.begin(), rubrics.end(), [](const auto& r) {
        return r[3] != "";
    })) << "closed rubrics are offered too";

    const auto parameters = query("SSELECT TPSPARAMBASCUL", "5 6 7 8 9");
    EXPECT_EQ(parameters.size(), 5U);
    for (const auto& fields : parameters) {
        // A multivalued field comes as subvalues, one per line; the weekday rubric is on each.
        const std::vector<std::string> weekday = split(fields[0], '\\');
        EXPECT_TRUE(weekday.size() >= 1 && weekday.size() <= 4) << fields[0];
        EXPECT_EQ(std::count(weekday.begin(), weekday.end(), ""), 0) << fields[0];
        for (const std::string& field : fields) {
            for (const std::string& code : split(field, '\\'))
                EXPECT_EQ(open.count(code), 1U) << code;
        }
    }
}

namespace fs = std::filesystem;

constexpr const char* kOwner = "4201";
constexpr const char* kColleague = "4202";

// The command run as the user (a uid with no account), in no group.
std::vector<std::string> as(const char* user, std::vector<std::string> command) {
    command.insert(command.begin(),
                   {"setpriv", "--reuid", user, "--regid", user, "--clear-groups", "--"});
    return command;
}

// The folder "partage", the owner's, and the owner's sample database in it.
class SharedFolderTest : public ToolTest {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "two system users need the tests to run as root";
        fs::create_directory(folder);
        ::chown(folder.c_str(), 4201, 4201);
        ASSERT_EQ(mvdbAs(kOwner, {sample, "sample"}).status, 0);
    }
    Outcome mvdbAs(const char* user, std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), MVDB_PATH);
        return run(as(user, arguments));
    }
    void expectNothingOfTheColleagues() const {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            struct stat status {};
            ::stat(entry.path().c_str(), &status);
            EXPECT_NE(status.st_uid, 4202U) << "the colleague left " << entry.path();
        }
    }

    const fs::path folder = path("partage");
    const std::string sample = folder / "paie.mvdb";
};

// The colleague views the database with the tool and with the screen, whose save is refused as
// read-only; he leaves no file, and the owner saves after him.
TEST_F(SharedFolderTest, AColleagueWhoMayOnlyReadViewsWithoutBlockingTheOwner) {
    const fs::path home = path("collegue");
    fs::create_directory(home);
    ::chown(home.c_str(), 4202, 4202);
    // The owner's folder, shared or not with others.
    for (const fs::perms shared : {fs::perms(0755), fs::perms(0777)}) {
        SCOPED_TRACE(shared == fs::perms(0755) ? "the owner's folder" : "a folder for all");
        fs::permissions(folder, shared);
        const Outcome viewed = mvdbAs(kColleague, {sample, "show", "TPSPARAMBASCUL", "007"});
        EXPECT_EQ(viewed.status, 0) << viewed.err;
        EXPECT_THAT(viewed.out, HasSubstr("101"));
        EXPECT_EQ(mvdbAs(kColleague, {sample, "query", "SSELECT ASSOCIATION PAR 1"}).status, 0);
        const Outcome refused = mvdbAs(kColleague, {sample, "put", "TPSPARAMBASCUL", "007", "x"});
        EXPECT_EQ(refused.status, 1);
        EXPECT_THAT(refused.err, HasSubstr("est en lecture seule"));

        // Even at the level that may change the parameters, the screen opens read-only.
        std::ofstream(path("vue.script")) << "expect Cmd_Ok.Visible False\n"
                                             "type Txt_Entite 007\n"
                                             "expect Lst_Detail.ListCount 4\n";
        const Outcome played = run(
            as(kColleague, {"env", "OSTREVAN_REGISTRY=" + (home / "registry.json").string(),
                            "HOME=" + home.string(), HOST_PATH, "--db", sample, "--access-level",
                            "2", "--headless", "--script", path("vue.script")}));
        EXPECT_EQ(played.status, 0) << played.out << played.err;
        expectNothingOfTheColleagues();

        const Outcome saved = mvdbAs(kOwner, {sample, "put", "TPSPARAMBASCUL", "999", "^^^^101"});
        EXPECT_EQ(saved.status, 0) << saved.err;
        EXPECT_EQ(mvdbAs(kOwner, {sample, "show", "TPSPARAMBASCUL", "999"}).out, "^^^^101\n");
    }
}

// A file that a writer must open first: one whose writer was stopped in the middle of a write,
// and one kept with a write-ahead log by an earlier version. The colleague is told so and leaves
// nothing; the owner's next opening finishes what was left, and the colleague then reads.
TEST_F(SharedFolderTest, AColleagueWhoMayOnlyReadIsToldWhenTheOwnerMustOpenTheFileFirst) {
    const std::string interrupted = folder / "interrompue.mvdb", earlier = folder / "ancienne.mvdb";
    {
        // The file and its journal as a writer stopped midway leaves them.
        mvdb::testing::OtherProgram writer(sample);
        writer.run(
            "PRAGMA cache_size = 1; BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1"
            " FROM n WHERE i < 2000) INSERT INTO records SELECT 1, 'x' || i, 1, randomblob(500)"
            " FROM n;");
        for (const std::string suffix : {"", "-journal"})
            fs::copy_file(sample + suffix, interrupted + suffix);
        writer.run("ROLLBACK");
    }
    fs::copy_file(sample, earlier);
    mvdb::testing::OtherProgram(earlier).run("PRAGMA journal_mode = WAL");
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        ::chown(entry.path().c_str(), 4201, 4201);
    fs::permissions(folder, fs::perms::all);  // where the colleague could leave files

    for (const auto& [database, why] :
         {std::pair(interrupted,
                    "interrompue au milieu d'une écriture : un utilisateur qui peut "
                    "l'écrire doit l'ouvrir une fois pour la terminer."),
          std::pair(earlier,
                    "gardée à la manière d'une version antérieure du programme : un "
                    "utilisateur qui peut l'écrire doit l'ouvrir une fois pour la "
                    "convertir.")}) {
        const std::vector<std::string> show = {database, "show", "TPSPARAMBASCUL", "007"};
        const Outcome refused = mvdbAs(kColleague, show);
        EXPECT_EQ(refused.status, 1);
        EXPECT_THAT(refused.err, HasSubstr(why));
        ASSERT_EQ(mvdbAs(kOwner, show).status, 0);
        const Outcome viewed = mvdbAs(kColleague, show);
        EXPECT_EQ(viewed.status, 0) << viewed.err;
    }
    expectNothingOfTheColleagues();
}

}  // namespace
}  // namespace mvdbtool::testing
