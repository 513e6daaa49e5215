// The database fails under the open screen: its file made read-only. Validating and leaving with
// Yes tell the user why, keep the entity open with the user's lines and the stored record
// unchanged, and succeed once the file is writable again. (The other faults of the file, each
// store's own: tests/mvdb.)
#include <filesystem>

#include <gtest/gtest.h>
#include <unistd.h>

#include "control/ControlTesting.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSaved =
    "28/11/2024^PAIE03^^15/09/2021^101]101]123]132]101]205^103]]]]132]^109]]]]]^106]205]]]]^"
    "125]]]]]";

// While it lives, the program runs as a user without an account who owns the database's folder,
// as a clerk does: the superuser writes into a read-only file, its permissions stopping nobody.
// Under another user, the program stays that user.
class AsAClerk {
public:
    explicit AsAClerk(const fs::path& folder) : dropped_(::geteuid() == 0) {
        if (!dropped_) return;
        EXPECT_EQ(::chown(folder.c_str(), kClerk, kClerk), 0);
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            EXPECT_EQ(::chown(entry.path().c_str(), kClerk, kClerk), 0);
        EXPECT_EQ(::setegid(kClerk), 0);
        EXPECT_EQ(::seteuid(kClerk), 0);
    }
    ~AsAClerk() {
        if (!dropped_) return;
        EXPECT_EQ(::seteuid(0), 0);
        EXPECT_EQ(::setegid(0), 0);
    }
    AsAClerk(const AsAClerk&) = delete;
    AsAClerk& operator=(const AsAClerk&) = delete;

private:
    static constexpr ::uid_t kClerk = 4203;
    bool dropped_;
};

class FailingDatabaseTest : public control_testing::EditorTest {
protected:
    // 007 open with a line added; errors reach the host, which shows them.
    FailingDatabaseTest() {
        addLine({"205"});
        control.setErrorHandler([this](const std::exception& error) {
            const auto* failure = dynamic_cast<const platform::ComponentError*>(&error);
            shown.push_back({failure ? failure->number() : 0, error.what()});
        });
    }
    // The last error shown says that 007 was not saved because the database is read-only, and
    // names the database; the entity is still open with the user's lines, ready to be validated
    // again.
    void expectRefusedAndKept() {
        ASSERT_FALSE(shown.empty()) << "the failure was reported as a success";
        EXPECT_EQ(shown.back().number(), mvdb::kErrDatabaseReadOnly) << shown.back().what();
        const std::string text = shown.back().what();
        EXPECT_TRUE(
            text.starts_with("Les paramètres de l'entité juridique 007 n'ont pas été "
                             "enregistrés : La base de données « " +
                             path() + " »"))
            << text;
        EXPECT_EQ(control.Txt_Entite.Text(), "007");
        EXPECT_EQ(control.Lst_Codes.ListCount(), 6);
        EXPECT_EQ(control.Lst_Codes.List(5), "205;;;;");
        EXPECT_TRUE(control.Cmd_Ok.Enabled());
        EXPECT_FALSE(control.W_Sortir() == component::kTrue || control.Parent().unloaded());
        EXPECT_TRUE(Mod_Var::gDatabase && Mod_Var::gFicParam) << "nothing released";
    }

    // Record 007 of the database file now at the database's path.
    std::string storedAtItsPath() {
        return stored(mvdb::Database::Open(path()), "TPSPARAMBASCUL", "007");
    }

    std::vector<platform::ComponentError> shown;
};

TEST_F(FailingDatabaseTest, ValidatingAndLeavingTellWhyKeepTheLinesAndSaveOnceWritable) {
    const AsAClerk clerk(fs::path(path()).parent_path());
    fs::permissions(path(), fs::perms::owner_write, fs::perm_options::remove);
    user.click(control.Cmd_Ok);
    expectRefusedAndKept();

    messages.answers.push_back(toolkit::MsgAnswer::Yes);
    user.click(control.Cmd_Sortir);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text, "Voulez-vous enregistrer les modifications ?");
    ASSERT_EQ(shown.size(), 2u);
    expectRefusedAndKept();

    fs::permissions(path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(storedAtItsPath(), kStored007);
    user.click(control.Cmd_Ok);
    EXPECT_EQ(shown.size(), 2u) << shown.back().what();
    EXPECT_EQ(storedAtItsPath(), kSaved);
    EXPECT_EQ(control.Lst_Codes.ListCount(), 0) << "the screen is cleared for the next code";
}

}  // namespace
