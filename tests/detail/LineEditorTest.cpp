// The line editor, as the user adds, changes, abandons and deletes lines of the open entity: both
// forms of each line, the two lists kept parallel, and the questions asked.
#include <gtest/gtest.h>

#include "control/ControlTesting.h"

namespace {

using control_testing::column;
using control_testing::itemTexts;
using toolkit::MsgAnswer;

class LineEditorTest : public control_testing::EditorTest {
protected:
    void confirm() { user.click(control.Cmd_OkDetail); }

    bool editing() const {
        return control.Cmd_AnnulerDetail.Enabled() && !control.Lst_Detail.Enabled();
    }

    // Back in the browse mode (what it locks: the screen modes' table), the five selectors empty.
    void expectBrowsing() const {
        EXPECT_FALSE(editing());
        for (const screen::RubricColumn& rubric : control.rubricColumns())
            expectEmpty(rubric);
    }

    // The user replaces the weekday code of the open line.
    void retypeWeekday(const std::string& code) {
        user.selectText(control.Txt_RubNorm, 0, 3);
        user.typeKey(control.Txt_RubNorm, toolkit::kKeyBackspace);
        type(control.Txt_RubNorm, code);
    }

    const std::vector<std::string> storedCodes = {"101;103;106;125;109", "101;;205;;", "123;;;;",
                                                  "132;;;;", "101;132;;;"};
};

TEST_F(LineEditorTest, ALineNeedsItsWeekdayRubricAndDropsTheRubricsNoLongerOffered) {
    open(4);  // 101;132;;;
    EXPECT_EQ(control.Txt_RubDim.Text(), "");
    confirm();
    EXPECT_EQ(control.Lst_Codes.List(4), "101;;;;");
    EXPECT_EQ(control.Lst_Detail.List(4), column("101-Heures normales") + std::string(124, ' '));

    open(3);  // 132;;;;: the weekday rubric is to be chosen again
    EXPECT_EQ(control.Txt_RubNorm.Text(), "");
    confirm();
    ASSERT_EQ(messages.asked.size(), 1u);
    control_testing::expectBox(
        messages.asked[0],
        {"Vous devez renseigner la rubrique d'heures semaine.", "Message Quorvel",
         toolkit::MsgIcon::Exclamation, toolkit::MsgButtons::Ok});
    EXPECT_TRUE(editing());
    user.click(control.Cmd_AnnulerDetail);

    user.click(control.Cmd_Ajouter);
    EXPECT_TRUE(control.Cbo_RubNorm.hasFocus());
    user.pick(control.Cbo_RubDim, itemOf(control.Cbo_RubDim, 103));
    confirm();
    EXPECT_EQ(messages.asked.size(), 2u);
    EXPECT_TRUE(editing());
    EXPECT_EQ(control.Txt_RubDim.Text(), "103");
    EXPECT_EQ(control.Lst_Detail.ListCount(), 5);
}

TEST_F(LineEditorTest, ANewLineIsAppendedToBothListsAndCutsLongLabels) {
    user.click(control.Cmd_Ajouter);
    type(control.Txt_RubNorm, "101");
    user.pick(control.Cbo_RubDim, itemOf(control.Cbo_RubDim, 103));
    type(control.Txt_RubJF, "106");
    user.pick(control.Cbo_RubJFNonTrav, itemOf(control.Cbo_RubJFNonTrav, 125));
    type(control.Txt_Rub1Mai, "7");
    confirm();
    expectBrowsing();
    const std::string full = column("101-Heures normales") + column("103-Heures dimanche") +
                             column("106-Heures fériées travaillées") +
                             column("125-Heures fériées non travail") +
                             column("007-Heures d'évaluation (ancie");
    std::vector<std::string> codes = storedCodes;
    codes.push_back("101;103;106;125;007");
    EXPECT_EQ(itemTexts(control.Lst_Codes), codes);
    ASSERT_EQ(control.Lst_Detail.ListCount(), 6);
    EXPECT_EQ(control.Lst_Detail.List(5), full);
}

TEST_F(LineEditorTest, ADoubleClickOrEnterOpensTheLinesRubricsAndTheChangedLineIsReplacedInPlace) {
    // Without a line selected or opened, the double click, Enter and the line's OK do nothing.
    user.doubleClick(control.Lst_Detail);
    user.typeKey(control.Lst_Detail, toolkit::kKeyEnter);
    EXPECT_FALSE(editing());
    control.Cmd_OkDetail.onClick();
    EXPECT_TRUE(messages.asked.empty());

    // Enter on the selected line opens it, as a double click does; Space does not.
    user.select(control.Lst_Detail, 1);  // 101;;205;;
    user.typeKey(control.Lst_Detail, toolkit::kKeySpace);
    EXPECT_FALSE(editing()) << "Space opened the line";
    user.typeKey(control.Lst_Detail, toolkit::kKeyEnter);
    EXPECT_TRUE(editing());
    EXPECT_TRUE(control.Cmd_Supprimer.Enabled());
    EXPECT_EQ(control.Txt_RubNorm.Text(), "101");
    EXPECT_EQ(control.Cbo_RubNorm.ListIndex(), itemOf(control.Cbo_RubNorm, 101));
    EXPECT_EQ(control.Txt_RubJF.Text(), "205");
    EXPECT_EQ(control.Cbo_RubJF.ListIndex(), itemOf(control.Cbo_RubJF, 205));
    for (const toolkit::ComboBox* empty :
         {&control.Cbo_RubDim, &control.Cbo_RubJFNonTrav, &control.Cbo_Rub1Mai})
        EXPECT_EQ(empty->ListIndex(), -1) << empty->Name() << ": an empty field is no rubric 000";

    retypeWeekday("205");
    user.pick(control.Cbo_Rub1Mai, itemOf(control.Cbo_Rub1Mai, 7));  // the first of code 7
    confirm();
    expectBrowsing();
    std::vector<std::string> codes = storedCodes;
    codes[1] = "205;;205;;007";
    EXPECT_EQ(itemTexts(control.Lst_Codes), codes);
    EXPECT_EQ(control.Lst_Detail.List(1), column("205-Heures de nuit") + column() +
                                              column("205-Heures de nuit") + column() +
                                              column("007-Heures d'évaluation (ancie"));

    // Of the two items of the line's code 007, the last stays selected.
    open(1);
    EXPECT_EQ(control.Cbo_Rub1Mai.Text(), "Heures d'évaluation à domicile");
}

TEST_F(LineEditorTest, APartlyErasedLabelIsNeitherShownNorKeptAndClosingTheEditorEmptiesIt) {
    // The user shortens a label by one Backspace: its list has no item selected any more, while
    // its code box still holds the code.
    const auto shorten = [&](toolkit::ComboBox& list) {
        user.selectText(list, static_cast<int>(list.Text().size()), 0);
        user.typeKey(list, toolkit::kKeyBackspace);
        ASSERT_EQ(list.ListIndex(), -1);
        ASSERT_NE(list.Text(), "");
    };
    const auto expectNextLineEmpty = [&] {
        expectBrowsing();
        user.click(control.Cmd_Ajouter);
        EXPECT_EQ(control.Txt_Rub1Mai.Text(), "") << "the next line starts empty";
        EXPECT_EQ(control.Txt_RubNorm.Text(), "");
        user.click(control.Cmd_AnnulerDetail);
    };
    open(0);  // 101;103;106;125;109
    shorten(control.Cbo_RubDim);
    ASSERT_EQ(control.Txt_RubDim.Text(), "103") << "the code stays in its box";
    shorten(control.Cbo_RubNorm);  // the weekday rubric is the code in its box
    confirm();
    EXPECT_EQ(control.Lst_Codes.List(0), "101;;106;125;109");
    EXPECT_EQ(control.Lst_Detail.List(0).substr(31, 31), column());
    expectNextLineEmpty();

    user.click(control.Cmd_Ajouter);
    type(control.Txt_RubNorm, "101");
    user.pick(control.Cbo_Rub1Mai, control.Cbo_Rub1Mai.ListCount() - 1);
    shorten(control.Cbo_Rub1Mai);
    confirm();
    expectNextLineEmpty();

    open(0);
    shorten(control.Cbo_Rub1Mai);
    shorten(control.Cbo_RubNorm);
    ASSERT_EQ(control.Txt_RubNorm.Text(), "101");
    user.click(control.Cmd_Supprimer);
    expectNextLineEmpty();
}

TEST_F(LineEditorTest, AbandoningANewLineAndDeletingALineAreAskedAChangeIsDroppedAtOnce) {
    user.click(control.Cmd_Ajouter);
    type(control.Txt_RubNorm, "101");
    messages.answers = {MsgAnswer::No};
    user.click(control.Cmd_AnnulerDetail);
    ASSERT_EQ(messages.asked.size(), 1u);
    control_testing::expectBox(
        messages.asked[0], {"Etes vous sur(e) de vouloir annuler cet ajout ?", "Message Quorvel",
                            toolkit::MsgIcon::Exclamation, toolkit::MsgButtons::YesNo});
    EXPECT_TRUE(editing());
    EXPECT_EQ(control.Txt_RubNorm.Text(), "101");
    user.click(control.Cmd_AnnulerDetail);  // answered Yes
    expectBrowsing();

    open(0);
    retypeWeekday("123");
    user.click(control.Cmd_AnnulerDetail);
    EXPECT_EQ(messages.asked.size(), 2u) << "no question for a line that existed";
    expectBrowsing();
    EXPECT_EQ(itemTexts(control.Lst_Codes), storedCodes);

    const std::vector<std::string> shown = itemTexts(control.Lst_Detail);
    open(1);
    messages.answers = {MsgAnswer::No};
    user.click(control.Cmd_Supprimer);
    ASSERT_EQ(messages.asked.size(), 3u);
    control_testing::expectBox(
        messages.asked[2],
        {"Etes vous sur(e) de vouloir supprimer cette ligne ?", "Message Quorvel",
         toolkit::MsgIcon::Question, toolkit::MsgButtons::YesNo});
    EXPECT_TRUE(editing());
    EXPECT_EQ(control.Lst_Codes.ListCount(), 5);
    user.click(control.Cmd_Supprimer);  // answered Yes
    expectBrowsing();
    std::vector<std::string> codes = storedCodes;
    codes.erase(codes.begin() + 1);
    EXPECT_EQ(itemTexts(control.Lst_Codes), codes);
    EXPECT_EQ(itemTexts(control.Lst_Detail),
              (std::vector<std::string>{shown[0], shown[2], shown[3], shown[4]}));
}

}  // namespace
