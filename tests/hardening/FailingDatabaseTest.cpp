// The database fails under the open screen: its file removed, replaced, made read-only, or locked
// by another program. Validating and leaving with Yes tell the user why, keep the entity open with
// the user's lines and the stored record unchanged, and succeed once the cause is gone.
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

#include <gtest/gtest.h>
#include <unistd.h>

#include "control/ControlTesting.h"
#include "mvdb/OtherProgram.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSaved =
    "28/11/2024^PAIE03^^15/09/2021^101]101]123]132]101]205^103]]]]132]^109]]]]]^106]205]]]]^"
    "125]]]]]";

// The database file at its path, and another program that may hold it.
struct Scene {
    std::string path;
    std::optional<mvdb::testing::OtherProgram> other;
};

// What befalls the database file, and how it is put right; no cure when it cannot be.
struct Cause {
    const char* name;
    std::int32_t number;
    std::function<void(Scene&)> befall;
    std::function<void(Scene&)> cure;
};

void PrintTo(const Cause& cause, std::ostream* out) {
    *out << cause.name;
}

const Cause kCauses[] = {
    {"Removed", mvdb::kErrNoSuchDatabase, [](Scene& scene) { fs::remove(scene.path); }, {}},
    {"MovedAwayThenBack", mvdb::kErrNoSuchDatabase,
     [](Scene& scene) { fs::rename(scene.path, scene.path + ".moved"); },
     [](Scene& scene) { fs::rename(scene.path + ".moved", scene.path); }},
    {"ReplacedByACopy",
     mvdb::kErrNoSuchDatabase,
     [](Scene& scene) {
         fs::copy_file(scene.path, scene.path + ".copy");
         fs::rename(scene.path + ".copy", scene.path);
     },
     {}},
    {"MadeReadOnly", mvdb::kErrDatabaseReadOnly,
     [](Scene& scene) {
         fs::permissions(scene.path, fs::perms::owner_write, fs::perm_options::remove);
     },
     [](Scene& scene) {
         fs::permissions(scene.path, fs::perms::owner_write, fs::perm_options::add);
     }},
    {"WriteLockedByAnotherProgram", mvdb::kErrDatabaseLocked,
     [](Scene& scene) { scene.other.emplace(scene.path).run("BEGIN IMMEDIATE"); },
     [](Scene& scene) { scene.other.reset(); }},
};

class FailingDatabaseTest : public control_testing::EditorTest,
                            public ::testing::WithParamInterface<Cause> {
protected:
    // The screen restarted on a handle that waits little for a lock, 007 open with a line added;
    // errors reach the host, which shows them.
    FailingDatabaseTest() {
        user.click(control.Cmd_Annuler);
        handIn(mvdb::Database::Open(path(), {std::chrono::milliseconds(50), false}));
        control.Init();
        type(control.Txt_Entite, "007");
        addLine({"205"});
        control.setErrorHandler([this](const std::exception& error) {
            const auto* failure = dynamic_cast<const platform::ComponentError*>(&error);
            shown.push_back({failure ? failure->number() : 0, error.what()});
        });
    }
    // The last error shown says that 007 was not saved, why, and names the database.
    void expectShownFailure(std::int32_t number) {
        ASSERT_FALSE(shown.empty()) << "the failure was reported as a success";
        EXPECT_EQ(shown.back().number(), number) << shown.back().what();
        const std::string text = shown.back().what();
        EXPECT_TRUE(
            text.starts_with("Les paramètres de l'entité juridique 007 n'ont pas été "
                             "enregistrés : La base de données « " +
                             path() + " »"))
            << text;
    }

    // The entity is still open with the user's lines, ready to be validated again.
    void expectLinesKept() {
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
    Scene scene{path(), {}};
};

TEST_P(FailingDatabaseTest, ValidatingAndLeavingTellWhyKeepTheLinesAndSaveOnceCured) {
    const Cause& cause = GetParam();
    if (cause.number == mvdb::kErrDatabaseReadOnly && ::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into a read-only file: its permissions stop nobody";
    cause.befall(scene);
    user.click(control.Cmd_Ok);
    expectShownFailure(cause.number);
    expectLinesKept();

    messages.answers.push_back(toolkit::MsgAnswer::Yes);
    user.click(control.Cmd_Sortir);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text, "Voulez-vous enregistrer les modifications ?");
    ASSERT_EQ(shown.size(), 2u);
    expectShownFailure(cause.number);
    expectLinesKept();

    if (!cause.cure) {
        // Nothing can be saved any more: the user may still leave without saving.
        messages.answers.push_back(toolkit::MsgAnswer::No);
        user.click(control.Cmd_Sortir);
        EXPECT_TRUE(control.Parent().unloaded());
        if (fs::exists(path())) {
            EXPECT_EQ(storedAtItsPath(), kStored007);
        }
        return;
    }
    cause.cure(scene);
    EXPECT_EQ(storedAtItsPath(), kStored007);
    user.click(control.Cmd_Ok);
    EXPECT_EQ(shown.size(), 2u) << shown.back().what();
    EXPECT_EQ(storedAtItsPath(), kSaved);
    EXPECT_EQ(control.Lst_Codes.ListCount(), 0) << "the screen is cleared for the next code";
}

INSTANTIATE_TEST_SUITE_P(Causes, FailingDatabaseTest, ::testing::ValuesIn(kCauses),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
