// The five rubric lists: which rubrics they offer, in which order, and with which item data.
#include <gtest/gtest.h>

#include "control/ControlTesting.h"
#include "platform/mvdb/Notation.h"
#include "rubric/RubricCode.h"
#include "rubric/RubricLists.h"

namespace {

using control_testing::itemTexts;

class RubricListsTest : public control_testing::ControlTest {
protected:
    RubricListsTest() : database(databaseWithFiles()) { handIn(database); }

    // A rubric of that key, label, field 2 and field 18.
    void putRubric(const std::string& key, const std::string& label, const std::string& type,
                   const std::string& closedOn = "") {
        mvdb::DbRecord record = database.OpenFile("RUBSAISIE").NewRecord(key);
        record.Assign(1, label);
        record.Assign(2, type);
        record.Assign(18, closedOn);
        record.DBWrite();
    }

    std::vector<std::int32_t> itemData(const toolkit::ComboBox& list) const {
        std::vector<std::int32_t> data;
        for (int i = 0; i < list.ListCount(); ++i)
            data.push_back(list.ItemData(i));
        return data;
    }

    mvdb::Database database;
};

TEST(RubricQueryTest, SelectsTypesThreeFourAndFiveByLabelWithTheSentencesOwnSpacing) {
    EXPECT_EQ(mvdb::toNotation(rubric::rubricQuery().Extract()),
              "SSELECT RUBSAISIE AVEC 2 = \"3\" OR = \"4\" OR = \"5\" PAR 1^RUBSAISIE^0 1 2 18");
}

TEST(RubricCodeTest, OnlyKeysOfDigitsUpTo999MakeACode) {
    EXPECT_EQ(rubric::rubricCode("007"), 7);
    EXPECT_EQ(rubric::rubricCode("7"), 7);
    EXPECT_EQ(rubric::rubricCode("000"), 0);
    EXPECT_EQ(rubric::rubricCode("0999"), 999);
    for (const char* key : {"1000", "-5", "-0", "+7", "12.5", " 12", "ABC", "1e2", ""})
        EXPECT_EQ(rubric::rubricCode(key), std::nullopt) << key;
}

TEST_F(RubricListsTest, OffersTheOpenRubricsOfTheThreeTypesByLabelInAllFiveLists) {
    putRubric("101", "Heures normales", "3");
    putRubric("131", "Heures normales", "3");
    putRubric("103", "Heures dimanche", "4");
    putRubric("125", "Heures fériées non travaillées", "5");
    putRubric("007", "Élément variable horaire", "3");
    putRubric("132", "Heures dimanche (ancienne grille)", "4", "31/12/2024");
    putRubric("117", "Astreinte week-end", "6");
    putRubric("140", "Sans type", "");
    putRubric("ABC", "Clé non numérique", "3");
    putRubric("1000", "Code à quatre chiffres", "3");

    control.Remplir_RubSaisie();
    const std::vector<std::string> labels = {"Élément variable horaire", "Heures dimanche",
                                             "Heures fériées non travaillées", "Heures normales",
                                             "Heures normales"};
    const std::vector<std::int32_t> codes = {7, 103, 125, 101, 131};
    for (const screen::RubricColumn& column : control.rubricColumns()) {
        EXPECT_EQ(itemTexts(column.list), labels) << column.list.Name();
        EXPECT_EQ(itemData(column.list), codes) << column.list.Name();
        EXPECT_EQ(column.list.ListIndex(), -1) << column.list.Name();
    }
}

TEST_F(RubricListsTest, ASecondFillAppendsEveryRubricOnceMore) {
    putRubric("101", "Heures normales", "3");
    putRubric("103", "Heures dimanche", "4");
    control.Remplir_RubSaisie();
    control.Remplir_RubSaisie();
    EXPECT_EQ(itemData(control.Cbo_RubJFNonTrav), (std::vector<std::int32_t>{103, 101, 103, 101}));
}

TEST_F(RubricListsTest, NoRubricLeavesTheListsEmpty) {
    putRubric("117", "Astreinte week-end", "6");
    control.Remplir_RubSaisie();
    for (const screen::RubricColumn& column : control.rubricColumns())
        EXPECT_EQ(column.list.ListCount(), 0) << column.list.Name();
}

TEST_F(RubricListsTest, EveryRubricIsOfferedHoweverManyThereAre) {
    constexpr int kRubrics = 32768;  // one more than a 16-bit counter reaches
    {
        mvdb::Database::Transaction fill(database);
        for (int i = 0; i < kRubrics; ++i) {
            // Codes repeat: 5, 05, 005 ... are keys of their own that all show 005.
            putRubric(std::string(i / 1000, '0') + std::to_string(i % 1000), "Heures", "3");
        }
        fill.commit();
    }
    control.Remplir_RubSaisie();
    EXPECT_EQ(control.Cbo_RubNorm.ListCount(), kRubrics);
    EXPECT_EQ(control.Cbo_Rub1Mai.ListCount(), kRubrics);
}

}  // namespace
