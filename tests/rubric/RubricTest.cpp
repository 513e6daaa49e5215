// The rubrics of the line editor: the five lists, which rubrics they offer and in which order; and
// the selectors, as the user types codes and picks labels, the code box and the list kept in step,
// and the line's "OK" that only the weekday selector drives.
#include <gtest/gtest.h>

#include "control/ControlTesting.h"

namespace {

class RubricListsTest : public control_testing::ControlTest {
protected:
    RubricListsTest() : database(databaseWithFiles()) { handIn(database); }

    mvdb::Database database;
};

TEST_F(RubricListsTest, OfferTheOpenRubricsOfTheThreeTypesByLabelInAllFiveListsEachFillAppending) {
    // Records: label, type (field 2), and the date the rubric was closed (field 18).
    for (const auto& [key, record] : std::vector<std::pair<std::string, std::string>>{
             {"117", "Astreinte week-end^6"},
             {"101", "Heures normales^3"},
             {"131", "Heures normales^3"},
             {"103", "Heures dimanche^4"},
             {"125", "Heures fériées non travaillées^5"},
             {"007", "Élément variable horaire^3"},
             {"132", "Heures dimanche (ancienne grille)^4" + std::string(16, '^') + "31/12/2024"},
             {"140", "Sans type"},
             {"ABC", "Clé non numérique^3"},
             {"1000", "Code à quatre chiffres^3"}})
        put(database, "RUBSAISIE", key, record);
    control.Remplir_RubSaisie();
    control.Remplir_RubSaisie();
    const std::vector<std::string> labels = {"Élément variable horaire", "Heures dimanche",
                                             "Heures fériées non travaillées", "Heures normales",
                                             "Heures normales"};
    const std::vector<std::int32_t> codes = {7, 103, 125, 101, 131};
    for (const screen::RubricColumn& column : control.rubricColumns()) {
        ASSERT_EQ(column.list.ListCount(), 10) << column.list.Name() << ": each fill appends";
        for (int item = 0; item < 10; ++item) {
            EXPECT_EQ(column.list.List(item), labels[item % 5]) << column.list.Name() << item;
            EXPECT_EQ(column.list.ItemData(item), codes[item % 5]) << column.list.Name() << item;
        }
        EXPECT_EQ(column.list.ListIndex(), -1) << column.list.Name();
    }
}

class RubricSelectorTest : public control_testing::EditorTest {
protected:
    RubricSelectorTest() { user.click(control.Cmd_Ajouter); }

    // The selector shows the rubric of code: the code in its box, the first item of the code
    // selected in its list.
    void expectShown(const screen::RubricColumn& column, const std::string& code,
                     std::int32_t data) const {
        EXPECT_EQ(column.code.Text(), code) << column.code.Name();
        EXPECT_EQ(column.list.ListIndex(), itemOf(column.list, data)) << column.list.Name();
        EXPECT_EQ(column.list.Text(), column.list.List(itemOf(column.list, data)));
    }

    const screen::RubricColumn weekday = control.rubricColumns()[0];
    const screen::RubricColumn sunday = control.rubricColumns()[1];
    const screen::RubricColumn mayDay = control.rubricColumns()[4];
};

TEST_F(RubricSelectorTest, EveryEditLeavingThreeDigitsLooksTheCodeUpAndOnlyAKnownOneEnablesOk) {
    EXPECT_TRUE(control.Cmd_OkDetail.Enabled()) << "enabled when the line opens";
    type(weekday.code, "12");
    EXPECT_EQ(weekday.list.ListIndex(), -1);
    EXPECT_EQ(weekday.list.Text(), "");
    EXPECT_FALSE(control.Cmd_OkDetail.Enabled());
    type(weekday.code, "3");
    expectShown(weekday, "123", 123);
    EXPECT_TRUE(control.Cmd_OkDetail.Enabled());
    user.selectText(weekday.code, 1, 1);
    type(weekday.code, "0");
    expectShown(weekday, "103", 103);
    user.selectText(weekday.code, 0, 2);
    type(weekday.code, "1");  // 13: the list's text goes, and with it the code
    expectEmpty(weekday);
    EXPECT_FALSE(control.Cmd_OkDetail.Enabled());

    type(sunday.code, "000");
    expectShown(sunday, "000", 0);
    EXPECT_TRUE(messages.asked.empty());
}

TEST_F(RubricSelectorTest, AShortCodeIsFilledWithZerosOnLeavingTheBoxOrOnEnter) {
    type(weekday.code, "7");
    user.pressTab();
    expectShown(weekday, "007", 7);  // of two items of code 7, the first
    EXPECT_TRUE(weekday.list.hasFocus());

    type(sunday.code, "7");
    user.typeKey(sunday.code, toolkit::kKeyEnter);
    expectShown(sunday, "007", 7);
    EXPECT_TRUE(sunday.code.hasFocus());

    user.typeKey(mayDay.code, toolkit::kKeyEnter);
    expectEmpty(mayDay);
    EXPECT_TRUE(messages.asked.empty());
}

TEST_F(RubricSelectorTest, ACodeThatNoRubricHasIsRefusedThenTheBoxIsEmptyAndHasTheFocus) {
    for (const screen::RubricColumn& column : {sunday, weekday}) {
        messages.asked.clear();
        type(column.code, "999");
        ASSERT_EQ(messages.asked.size(), 1u);
        control_testing::expectBox(messages.asked[0],
                                   {"Cette rubrique n'est pas disponible.", "Message QUORVEL",
                                    toolkit::MsgIcon::Exclamation, toolkit::MsgButtons::Ok});
        expectEmpty(column);
        EXPECT_TRUE(column.code.hasFocus());
        EXPECT_EQ(control.Cmd_OkDetail.Enabled(), column.code.Name() != "Txt_RubNorm")
            << "only the weekday selector drives the line's OK";
    }
    type(mayDay.code, "13");
    user.moveFocus(control.Cmd_AnnulerDetail);  // 013 is refused: the click is taken over
    EXPECT_TRUE(mayDay.code.hasFocus());
}

TEST_F(RubricSelectorTest, APickedLabelWritesItsCodeAndTheListsTextIsOnlyShortened) {
    user.pick(weekday.list, itemOf(weekday.list, 101));
    expectShown(weekday, "101", 101);
    EXPECT_TRUE(control.Cmd_OkDetail.Enabled());
    const int secondOfSeven = itemOf(weekday.list, 7) + 1;
    ASSERT_EQ(weekday.list.ItemData(secondOfSeven), 7);
    user.pick(weekday.list, secondOfSeven);
    EXPECT_EQ(weekday.list.ListIndex(), itemOf(weekday.list, 7))
        << "the code looked up again selects its first item";
    weekday.list.SetListIndex(-1);
    expectEmpty(weekday);
    EXPECT_FALSE(control.Cmd_OkDetail.Enabled());

    user.pick(sunday.list, itemOf(sunday.list, 103));
    type(sunday.list, "x1\r");
    expectShown(sunday, "103", 103);
    // Backspace shortens the label; once it is empty, the code goes too.
    const int length = static_cast<int>(sunday.list.Text().size());
    user.selectText(sunday.list, length, 0);
    user.typeKey(sunday.list, toolkit::kKeyBackspace);
    EXPECT_EQ(sunday.list.Text(), "Heures dimanch");
    EXPECT_EQ(sunday.code.Text(), "103");
    user.selectText(sunday.list, 0, length);
    user.typeKey(sunday.list, toolkit::kKeyBackspace);
    expectEmpty(sunday);

    // The code box takes only digits.
    type(weekday.code, "a -1+");
    user.paste(weekday.code, "01");
    EXPECT_EQ(weekday.code.Text(), "1");
}

}  // namespace
