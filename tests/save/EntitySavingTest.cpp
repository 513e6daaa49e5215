// Saving an entity with "OK": the record holds exactly the lines of the screen, in its own
// attribute order, keeps what the control does not own, and a write that fails loses nothing.
#include <chrono>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "mvdb/OtherProgram.h"

namespace {

using control_testing::itemTexts;

// The five rubric attributes of entity 007 as its fixture stores them.
constexpr const char* kStoredLines = "101]101]123]132]101^103]]]]132^109]]]]^106]205]]]^125]]]]";
constexpr const char* kHeader = "28/11/2024^PAIE03^^15/09/2021^";

class EntitySavingTest : public control_testing::EditorTest {
protected:
    void validate() { user.click(control.Cmd_Ok); }
    std::string storedRecord(const std::string& key) const {
        return stored(database, "TPSPARAMBASCUL", key);
    }
    // Opens another entity, from the cleared screen.
    void reopen(const std::string& code) {
        user.click(control.Cmd_Annuler);
        type(control.Txt_Entite, code);
    }
};

TEST_F(EntitySavingTest, TwoLinesLeftOfFiveAreWrittenAndTheScreenIsReadyForTheNextCode) {
    for (int line = 4; line >= 2; --line)
        deleteLine(line);
    validate();
    EXPECT_EQ(storedRecord("007"), std::string(kHeader) + "101]101^103]^109]^106]205^125]");

    EXPECT_EQ(control.Txt_Entite.Text(), "");
    EXPECT_TRUE(control.Txt_Entite.hasFocus());
    EXPECT_EQ(control.Cbo_Entite.Text(), "");
    EXPECT_EQ(control.Lst_Detail.ListCount(), 0);
    EXPECT_EQ(control.Lst_Codes.ListCount(), 0);
    EXPECT_FALSE(control.Cmd_Ok.Enabled());
    EXPECT_TRUE(control.Cbo_Entite.Enabled());
}

TEST_F(EntitySavingTest, AnEntityWithoutLinesKeepsItsRecordWithEmptyRubrics) {
    for (int line = 4; line >= 0; --line)
        deleteLine(line);
    validate();
    EXPECT_EQ(storedRecord("007"), std::string(kHeader) + "^^^^");
    type(control.Txt_Entite, "007");
    EXPECT_EQ(control.Lst_Detail.ListCount(), 0);
    EXPECT_TRUE(control.Cmd_Ajouter.Enabled()) << "the entity is open";
}

TEST_F(EntitySavingTest, ANewEntitysRecordIsCreatedWithEachRubricInItsAttribute) {
    reopen("012");  // no record yet
    addLine({"101", "103", "106", "125", "109"});
    addLine({"123"});
    validate();
    // Weekday, Sunday, May Day (the line's last column), then the two public holidays.
    EXPECT_EQ(storedRecord("012"), "^^^^101]123^103]^109]^106]^125]");
}

TEST_F(EntitySavingTest, WhatTheControlDoesNotOwnIsWrittenBackAsRead) {
    put(database, "TPSPARAMBASCUL", "012", "01/02/2025^ADM02^Note^^101]205^^^^^Archive]2024");
    reopen("012");
    addLine({"123", "", "", "", "000"});
    validate();
    EXPECT_EQ(storedRecord("012"),
              "01/02/2025^ADM02^Note^^101]205]123^]]^]]000^]]^]]^Archive]2024");
}

TEST_F(EntitySavingTest, ALineWhoseWeekdayRubricIsGoneIsLeftOutAndTheLinesAfterItKept) {
    put(database, "TPSPARAMBASCUL", "012", "^^^^101]999]123^103]104]^^^");  // 999: no rubric
    reopen("012");
    ASSERT_EQ(control.Lst_Codes.ListCount(), 3);
    EXPECT_EQ(control.Lst_Codes.List(1), ";;;;");
    validate();
    EXPECT_EQ(storedRecord("012"), "^^^^101]123^103]^]^]^]");
    type(control.Txt_Entite, "012");
    EXPECT_EQ(itemTexts(control.Lst_Codes), (std::vector<std::string>{"101;103;;;", "123;;;;"}));
}

TEST_F(EntitySavingTest, AWriteThatFailsKeepsTheEntityOpenAndCanBeValidatedAgain) {
    user.click(control.Cmd_Annuler);
    handIn(mvdb::Database::Open(path(), {std::chrono::milliseconds(50), false}));
    control.Init();
    type(control.Txt_Entite, "007");
    addLine({"205"});
    {
        mvdb::testing::OtherProgram other(path());
        other.run("BEGIN IMMEDIATE");
        try {
            validate();
            ADD_FAILURE() << "the write went through a locked database";
        } catch (const mvdb::DbError& error) {
            EXPECT_EQ(error.number(), mvdb::kErrDatabaseLocked);
            EXPECT_TRUE(std::string(error.what())
                            .starts_with("Les paramètres de l'entité juridique 007 n'ont pas été "
                                         "enregistrés : "))
                << error.what();
        }
        EXPECT_EQ(storedRecord("007"), std::string(kHeader) + kStoredLines);
        EXPECT_EQ(control.Txt_Entite.Text(), "007");
        EXPECT_EQ(control.Lst_Codes.ListCount(), 6);
        EXPECT_TRUE(control.Cmd_Ok.Enabled());
        other.run("ROLLBACK");
    }
    validate();
    EXPECT_EQ(storedRecord("007"), std::string(kHeader) +
                                       "101]101]123]132]101]205^103]]]]132]^109]]]]]^106]205]]]]^"
                                       "125]]]]]");
    EXPECT_EQ(control.Txt_Entite.Text(), "");
}

}  // namespace
