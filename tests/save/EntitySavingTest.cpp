// Saving an entity with "OK": the record holds exactly the lines of the screen, in its own
// attribute order, and keeps what the control does not own. (A write that fails, and loses
// nothing: tests/hardening; another clerk's save first: SharedEntityTest.)
#include <gtest/gtest.h>

#include "control/ControlTesting.h"

namespace {

using control_testing::itemTexts;

class EntitySavingTest : public control_testing::EditorTest {
protected:
    void validate() { user.click(control.Cmd_Ok); }
};

TEST_F(EntitySavingTest, TheLinesLeftAreWrittenAndTheScreenIsReadyForTheNextCode) {
    for (int line = 4; line >= 2; --line)
        deleteLine(line);
    validate();
    EXPECT_EQ(storedRecord(), "28/11/2024^PAIE03^^15/09/2021^101]101^103]^109]^106]205^125]");
    EXPECT_EQ(control.Txt_Entite.Text(), "");
    EXPECT_TRUE(control.Txt_Entite.hasFocus());
    EXPECT_EQ(control.Cbo_Entite.Text(), "");
    EXPECT_EQ(control.Lst_Codes.ListCount(), 0);
    EXPECT_FALSE(control.Cmd_Ok.Enabled());

    // Without lines, the record is kept with empty rubrics.
    type(control.Txt_Entite, "007");
    deleteLine(1);
    deleteLine(0);
    validate();
    EXPECT_EQ(storedRecord(), "28/11/2024^PAIE03^^15/09/2021^^^^^");
}

// Entity 012 saved three times: without a record, over fields the control does not own, and over
// a line whose weekday rubric no longer exists.
TEST_F(EntitySavingTest, EachRubricGoesToItsAttributeAndWhatTheControlDoesNotOwnIsKept) {
    reopen("012");  // no record yet
    addLine({"101", "103", "106", "125", "109"});
    addLine({"123"});
    validate();
    // Weekday, Sunday, May Day (the line's last column), then the two public holidays.
    EXPECT_EQ(storedRecord("012"), "^^^^101]123^103]^109]^106]^125]");

    put(database, "TPSPARAMBASCUL", "012", "01/02/2025^ADM02^Note^^101]205^^^^^Archive]2024");
    type(control.Txt_Entite, "012");  // validating cleared the screen
    addLine({"123", "", "", "", "000"});
    validate();
    EXPECT_EQ(storedRecord("012"),
              "01/02/2025^ADM02^Note^^101]205]123^]]^]]000^]]^]]^Archive]2024");

    // A line whose weekday rubric is gone is left out, and the lines after it kept.
    put(database, "TPSPARAMBASCUL", "012", "^^^^101]999]123^103]104]^^^");  // 999: no rubric
    type(control.Txt_Entite, "012");
    ASSERT_EQ(control.Lst_Codes.ListCount(), 3);
    EXPECT_EQ(control.Lst_Codes.List(1), ";;;;");
    validate();
    EXPECT_EQ(storedRecord("012"), "^^^^101]123^103]^]^]^]");
    type(control.Txt_Entite, "012");
    EXPECT_EQ(itemTexts(control.Lst_Codes), (std::vector<std::string>{"101;103;;;", "123;;;;"}));
}

}  // namespace
