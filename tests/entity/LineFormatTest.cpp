// The forms of a line and of the codes that name entities and rubrics, apart from the screen.
#include <gtest/gtest.h>

#include "entity/EntityCode.h"
#include "entity/EntityList.h"
#include "entity/LineFormat.h"
#include "platform/Utf8.h"
#include "platform/mvdb/Notation.h"
#include "rubric/RubricCode.h"

namespace {

using entity::columnText;

TEST(LineFormatTest, AColumnIsTheCodeAHyphenAndTheLabelFilledToThirtyOneCharacters) {
    EXPECT_EQ(columnText("101", "Heures normales"), "101-Heures normales" + std::string(12, ' '));
    EXPECT_EQ(columnText("101", "Heures de déplacement entre deux interventions"),
              "101-Heures de déplacement entr ");
    EXPECT_EQ(columnText("0125", "Heures normales d'intervention"),
              "0125-Heures normales d'interve ")
        << "a longer code takes its room from the label";
    EXPECT_EQ(entity::blankColumn(), std::string(31, ' '));
}

TEST(LineFormatTest, WidthsCountCharactersSoNoAccentIsCutInTwo) {
    // "é" at the 30th and 31st characters: a cut by bytes would keep half of one.
    const std::string column = columnText("104", "Heures fériées travailléééé");
    EXPECT_EQ(column, "104-Heures fériées travaillééé ");
    EXPECT_EQ(platform::characterCount(column), 31u);
    for (const char* label : {"Fériées", "Heures fériées travaillées majorées 100 %", "€€€"})
        EXPECT_EQ(platform::characterCount(columnText("106", label)), 31u) << label;
}

TEST(LineFormatTest, ACodeLineHasFiveFieldsAndFourSeparators) {
    EXPECT_EQ(entity::codeLine({"101", "102", "104", "105", "103"}), "101;102;104;105;103");
    EXPECT_EQ(entity::codeLine({"101", "", "", "", ""}), "101;;;;");
    EXPECT_EQ(entity::codeLine({"101", "", "104", "105", ""}), "101;;104;105;");
}

TEST(EntityCodeTest, AShortCodeIsCompletedOnTheLeftWithZeros) {
    EXPECT_EQ(entity::completedCode(""), "000");
    EXPECT_EQ(entity::completedCode("7"), "007");
    EXPECT_EQ(entity::completedCode("12"), "012");
    EXPECT_EQ(entity::completedCode("é"), "00é") << "characters, not bytes";
    EXPECT_EQ(entity::completedCode("012"), "012");
    EXPECT_EQ(entity::completedCode("0123"), "0123") << "nothing shortens a longer text";
    EXPECT_TRUE(entity::isComplete("àé1"));
    EXPECT_FALSE(entity::isComplete("0123"));
}

TEST(EntityCodeTest, TheListIsSearchedExactlyUpToItsFirstEmptyRow) {
    const mvdb::DynArray list(
        mvdb::fromNotation("001]Aide à domicile^abc]Présence^^012]Après le trou"));
    EXPECT_EQ(entity::entityRow(list, "001"), 1);
    EXPECT_EQ(entity::entityRow(list, "abc"), 2);
    EXPECT_EQ(entity::entityRow(list, "ABC"), 0) << "letter case counts";
    EXPECT_EQ(entity::entityRow(list, "012"), 0) << "the list ends at its empty row";
    EXPECT_EQ(entity::entityCode(list, 2), "abc");
    EXPECT_EQ(entity::entityCode(list, 0), "") << "no row before the first";
}

TEST(RubricCodeTest, ACodeFilledWithZerosIsAlsoKeptUnderItsNumberAlone) {
    EXPECT_EQ(rubric::keyWithoutLeadingZeros("007"), "7");
    EXPECT_EQ(rubric::keyWithoutLeadingZeros("0010"), "10");
    EXPECT_EQ(rubric::keyWithoutLeadingZeros("000"), "0");
    for (const char* other : {"101", "0", "", "07A", "0 7", "-07"})
        EXPECT_FALSE(rubric::keyWithoutLeadingZeros(other)) << other;
}

}  // namespace
