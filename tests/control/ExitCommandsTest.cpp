// "Annuler" and "Sortir": when the user is asked about unsaved lines, what each answer keeps or
// writes, and what leaving releases. (A save that fails on leaving: tests/hardening.)
#include <gtest/gtest.h>

#include "control/ControlTesting.h"

namespace {

using toolkit::MsgAnswer;

class ExitCommandsTest : public control_testing::EditorTest {
protected:
    void leave() { user.click(control.Cmd_Sortir); }

    // Sortir left at once: nothing asked, the data objects released (the client and the help
    // viewer aside), nothing written.
    void expectLeftAtOnce() {
        EXPECT_TRUE(messages.asked.empty());
        expectLeft();
        EXPECT_EQ(storedRecord(), kStored007);
        EXPECT_EQ(mvdb::testing::errorNumberOf([&] { storedRecord("012"); }),
                  mvdb::kErrNoSuchRecord);
    }
    void expectLeft() {
        EXPECT_TRUE(control.W_Sortir() == component::kTrue && control.Parent().unloaded());
        EXPECT_FALSE(Mod_Var::gDatabase || Mod_Var::gFicParam || Mod_Var::gFicRubSaisie);
        EXPECT_TRUE(Mod_Var::gClient);
    }
};

TEST_F(ExitCommandsTest, AnEntityWithoutRecordOpenedAndLeftIsNotAskedAboutNorCreated) {
    reopen("012");
    ASSERT_TRUE(control.Cmd_Ajouter.Enabled());
    leave();
    expectLeftAtOnce();
}

TEST_F(ExitCommandsTest, ACodeBoxHoldingTextWithNoEntityOpenLeavesAtOnce) {
    control.Init();  // the host starts the control again: 007 is closed, its screen cleared
    type(control.Txt_Entite, "12");
    control.Cmd_Sortir.onClick();  // as by a shortcut, the code box keeping the focus
    expectLeftAtOnce();
}

TEST_F(ExitCommandsTest, AUserWhoMayNotChangeTheParametersIsNeverAsked) {
    user.click(control.Cmd_Annuler);
    handIn(database, 1);
    control.Init();
    type(control.Txt_Entite, "007");
    addLine({"205"});
    leave();
    expectLeftAtOnce();
}

TEST_F(ExitCommandsTest, ChangedLinesAreAskedAboutCancelKeepsTheScreenAndNoLeavesUnsaved) {
    addLine({"205"});
    messages.answers = {MsgAnswer::Cancel};
    leave();
    ASSERT_EQ(messages.asked.size(), 1u);
    control_testing::expectBox(messages.asked[0],
                               {"Voulez-vous enregistrer les modifications ?", "Message QUORVEL",
                                toolkit::MsgIcon::Question, toolkit::MsgButtons::YesNoCancel});
    EXPECT_FALSE(control.W_Sortir() == component::kTrue || control.Parent().unloaded());
    EXPECT_EQ(control.Lst_Codes.ListCount(), 6);
    EXPECT_TRUE(Mod_Var::gDatabase);

    messages.answers = {MsgAnswer::No};
    leave();
    expectLeft();
    EXPECT_EQ(storedRecord(), kStored007);
}

TEST_F(ExitCommandsTest, DeletingALineThatSavingWouldDropIsAskedAboutAndYesSavesBeforeLeaving) {
    // The second line names a weekday rubric that no longer exists: saving leaves it out anyway.
    put(database, "TPSPARAMBASCUL", "012", "^^^^101]999^103]^^^");
    reopen("012");
    ASSERT_EQ(control.Lst_Codes.List(1), ";;;;");
    deleteLine(1);
    leave();  // answered Yes
    ASSERT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(messages.asked.back().text, "Voulez-vous enregistrer les modifications ?");
    EXPECT_EQ(storedRecord("012"), "^^^^101^103^^^");
    expectLeft();
}

// The entity reopened unchanged is also the case of an unchanged entity left at once.
TEST_F(ExitCommandsTest, AnnulerDropsTheChangesWithoutAskingAndAnUnchangedEntityIsLeftAtOnce) {
    addLine({"205"});
    user.click(control.Cmd_Annuler);
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_EQ(control.Txt_Entite.Text(), "");
    EXPECT_TRUE(control.Txt_Entite.hasFocus());
    EXPECT_EQ(control.Lst_Detail.ListCount(), 0);

    type(control.Txt_Entite, "007");
    leave();
    expectLeftAtOnce();
}

}  // namespace
