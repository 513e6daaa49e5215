// A database file in a folder that two clerks share: its owner, who may write it, and a colleague
// whose system user may only read it. The colleague views the database without leaving anything
// that blocks the owner, and cannot change it. The test runs each clerk's programs as a user of
// its own, so it needs to run as root.
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "ToolRun.h"

namespace mvdbtool::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kOwner = "4201";
constexpr const char* kColleague = "4202";

class SharedFolderTest : public ToolTest {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "two system users need the tests to run as root";
    }

    // The command run as the user (a uid with no account), in no group.
    static std::vector<std::string> as(const char* user, std::vector<std::string> command) {
        command.insert(command.begin(),
                       {"setpriv", "--reuid", user, "--regid", user, "--clear-groups", "--"});
        return command;
    }
    Outcome mvdbAs(const char* user, std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), MVDB_PATH);
        return run(as(user, arguments));
    }

    // The owner's folder, shared or not with others, holding the owner's sample database.
    std::string ownersDatabase(fs::perms folderPermissions) const {
        const fs::path folder = path("partage");
        fs::create_directory(folder);
        ::chown(folder.c_str(), 4201, 4201);
        fs::permissions(folder, folderPermissions);
        const std::string database = folder / "paie.mvdb";
        EXPECT_EQ(mvdbAs(kOwner, {database, "sample"}).status, 0);
        return database;
    }

    // The files in the database's folder that the user owns.
    static std::vector<std::string> filesOf(uid_t user, const std::string& database) {
        std::vector<std::string> owned;
        for (const fs::directory_entry& entry :
             fs::directory_iterator(fs::path(database).parent_path())) {
            struct stat status {};
            ::stat(entry.path().c_str(), &status);
            if (status.st_uid == user) owned.push_back(entry.path().filename());
        }
        return owned;
    }
};

// The colleague views the database with the tool and with the screen, whose save is refused as
// read-only; he leaves no file, and the owner saves after him.
TEST_F(SharedFolderTest, AColleagueWhoMayOnlyReadViewsWithoutBlockingTheOwner) {
    const fs::path home = path("collegue");
    fs::create_directory(home);
    ::chown(home.c_str(), 4202, 4202);
    for (const fs::perms folder : {fs::perms(0755), fs::perms(0777)}) {
        SCOPED_TRACE(folder == fs::perms(0755) ? "the owner's folder" : "a folder for all");
        const std::string database = ownersDatabase(folder);
        const Outcome viewed = mvdbAs(kColleague, {database, "show", "TPSPARAMBASCUL", "007"});
        EXPECT_EQ(viewed.status, 0) << viewed.err;
        EXPECT_THAT(viewed.out, HasSubstr("101"));
        EXPECT_EQ(mvdbAs(kColleague, {database, "query", "SSELECT ASSOCIATION PAR 1"}).status, 0);
        const Outcome refused = mvdbAs(kColleague, {database, "put", "TPSPARAMBASCUL", "007", "x"});
        EXPECT_EQ(refused.status, 1);
        EXPECT_THAT(refused.err, HasSubstr("est en lecture seule"));

        std::ofstream(path("vue.script"))
            << "type Txt_Entite 007\n"
               "expect Lst_Detail.ListCount 4\n"
               "click Cmd_Ajouter\n"
               "type Txt_RubNorm 101\n"
               "click Cmd_OkDetail\n"
               "click Cmd_Ok\n"
               "expect error \"Les paramètres de l'entité juridique 007 n'ont pas été enregistrés "
               ": "
               "La base de données « "
            << database
            << " » est en lecture seule ; rien n'a été enregistré.\"\n"
               "expect Lst_Detail.ListCount 5\n";
        const Outcome played =
            run(as(kColleague, {"env", "OSTREVAN_REGISTRY=" + (home / "registry.json").string(),
                                "HOME=" + home.string(), HOST_PATH, "--db", database, "--headless",
                                "--script", path("vue.script")}));
        EXPECT_EQ(played.status, 0) << played.out << played.err;
        EXPECT_TRUE(filesOf(4202, database).empty()) << "the colleague left a file";

        const Outcome saved = mvdbAs(kOwner, {database, "put", "TPSPARAMBASCUL", "007", "^^^^101"});
        EXPECT_EQ(saved.status, 0) << saved.err;
        EXPECT_EQ(mvdbAs(kOwner, {database, "show", "TPSPARAMBASCUL", "007"}).out, "^^^^101\n");
        fs::remove_all(path("partage"));
    }
}

}  // namespace
}  // namespace mvdbtool::testing
