// "Annuler" and "Sortir": when the user is asked about unsaved lines, what each answer keeps or
// writes, and what leaving releases.
#include <chrono>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"

namespace {

using toolkit::MsgAnswer;

constexpr const char* kStored =
    "28/11/2024^PAIE03^^15/09/2021^101]101]123]132]101^103]]]]132^109]]]]^106]205]]]^125]]]]";

class ExitCommandsTest : public control_testing::EditorTest {
protected:
    void leave() { user.click(control.Cmd_Sortir); }

    std::string storedRecord(const std::string& key = "007") const {
        return stored(database, "TPSPARAMBASCUL", key);
    }

    bool left() { return control.W_Sortir == component::kTrue && control.Parent().unloaded(); }

    // What leaving releases, the client and the help viewer aside.
    void expectReleased() {
        EXPECT_TRUE(left());
        EXPECT_FALSE(Mod_Var::gDatabase || Mod_Var::gFicParam || Mod_Var::gFicRubSaisie);
        EXPECT_TRUE(Mod_Var::gClient);
    }

    // Starts again on that database handle, as a user of that access level, with 007 open.
    void restart(const mvdb::Database& handedIn, std::int32_t level = 2) {
        user.click(control.Cmd_Annuler);
        handIn(handedIn, level);
        control.Init();
        type(control.Txt_Entite, "007");
    }
};

TEST_F(ExitCommandsTest, WithoutAnEntityOrWithItUnchangedSortirLeavesAtOnce) {
    leave();
    EXPECT_TRUE(messages.asked.empty());
    expectReleased();
    EXPECT_EQ(storedRecord(), kStored);
}

TEST_F(ExitCommandsTest, AnEntityWithoutRecordOpenedAndLeftIsNotAskedAboutNorCreated) {
    user.click(control.Cmd_Annuler);
    type(control.Txt_Entite, "012");
    ASSERT_TRUE(control.Cmd_Ajouter.Enabled());
    leave();
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_TRUE(left());
    EXPECT_EQ(mvdb::testing::errorNumberOf([&] { storedRecord("012"); }), mvdb::kErrNoSuchRecord);
}

TEST_F(ExitCommandsTest, ChangedLinesAreAskedAboutAndCancelKeepsTheScreen) {
    addLine({"205"});
    messages.answers = {MsgAnswer::Cancel};
    leave();
    ASSERT_EQ(messages.asked.size(), 1u);
    control_testing::expectBox(messages.asked[0],
                               {"Voulez-vous enregistrer les modifications ?", "Message QUORVEL",
                                toolkit::MsgIcon::Question, toolkit::MsgButtons::YesNoCancel});
    EXPECT_FALSE(control.W_Sortir == component::kTrue || control.Parent().unloaded());
    EXPECT_EQ(control.Lst_Codes.ListCount(), 6);
    EXPECT_TRUE(Mod_Var::gDatabase);
    EXPECT_EQ(storedRecord(), kStored);

    messages.answers = {MsgAnswer::No};
    leave();
    expectReleased();
    EXPECT_EQ(storedRecord(), kStored);
}

TEST_F(ExitCommandsTest, YesSavesTheLinesBeforeLeaving) {
    deleteLine(0);
    leave();  // answered Yes
    EXPECT_EQ(messages.asked.back().text, "Voulez-vous enregistrer les modifications ?");
    EXPECT_EQ(storedRecord(),
              "28/11/2024^PAIE03^^15/09/2021^101]123]132]101^]]]132^]]]^205]]]^]]]");
    expectReleased();
}

TEST_F(ExitCommandsTest, DeletingALineThatSavingWouldDropIsAskedAboutAndSavedOnYes) {
    // The second line names a weekday rubric that no longer exists: saving leaves it out anyway.
    user.click(control.Cmd_Annuler);
    put(database, "TPSPARAMBASCUL", "012", "^^^^101]999^103]^^^");
    type(control.Txt_Entite, "012");
    ASSERT_EQ(control.Lst_Codes.List(1), ";;;;");
    deleteLine(1);
    leave();  // answered Yes
    ASSERT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(messages.asked.back().text, "Voulez-vous enregistrer les modifications ?");
    EXPECT_EQ(storedRecord("012"), "^^^^101^103^^^");
    expectReleased();
}

TEST_F(ExitCommandsTest, AUserWhoMayNotChangeTheParametersIsNeverAsked) {
    restart(database, 1);
    addLine({"205"});
    leave();
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_TRUE(left());
    EXPECT_EQ(storedRecord(), kStored);
}

TEST_F(ExitCommandsTest, AnnulerDropsTheChangesWithoutAsking) {
    addLine({"205"});
    user.click(control.Cmd_Annuler);
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_EQ(control.Txt_Entite.Text(), "");
    EXPECT_TRUE(control.Txt_Entite.hasFocus());
    EXPECT_EQ(control.Lst_Detail.ListCount(), 0);
    EXPECT_EQ(storedRecord(), kStored);

    type(control.Txt_Entite, "007");
    leave();
    EXPECT_TRUE(messages.asked.empty()) << "the reopened entity is unchanged";
}

TEST_F(ExitCommandsTest, ACodeBoxHoldingTextWithNoEntityOpenLeavesAtOnce) {
    control.Init();  // the host starts the control again: 007 is closed, its screen cleared
    type(control.Txt_Entite, "12");
    control.Cmd_Sortir.onClick();  // as by a shortcut, the code box keeping the focus
    EXPECT_TRUE(messages.asked.empty());
    expectReleased();
    EXPECT_EQ(storedRecord(), kStored);
}

TEST_F(ExitCommandsTest, AFailedSaveOnLeavingReleasesNothingAndKeepsTheWindow) {
    restart(mvdb::Database::Open(path(), {std::chrono::milliseconds(50), true}));
    addLine({"205"});
    EXPECT_EQ(mvdb::testing::errorNumberOf([&] { leave(); }), mvdb::kErrDatabaseReadOnly);
    EXPECT_FALSE(control.W_Sortir == component::kTrue || control.Parent().unloaded());
    EXPECT_TRUE(Mod_Var::gDatabase && Mod_Var::gFicParam);
    EXPECT_EQ(control.Lst_Codes.ListCount(), 6);
    EXPECT_EQ(storedRecord(), kStored);
}

}  // namespace
