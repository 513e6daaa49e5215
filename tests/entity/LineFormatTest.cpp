// The forms of a line and of the codes that name entities and rubrics, where the screen's tests
// do not reach: characters against bytes, the end of the entity list, codes that are not digits.
#include <gtest/gtest.h>

#include "data/Code.h"
#include "entity/EntityList.h"
#include "entity/LineFormat.h"
#include "platform/Utf8.h"
#include "platform/mvdb/Notation.h"
#include "rubric/RubricCode.h"

namespace {

TEST(LineFormatTest, WidthsCountCharactersSoNoAccentIsCutInTwo) {
    // "é" at the 30th and 31st characters: a cut by bytes would keep half of one.
    const std::string column = entity::columnText("104", "Heures fériées travailléééé");
    EXPECT_EQ(column, "104-Heures fériées travaillééé ");
    for (const char* label : {"Fériées", "Heures fériées travaillées majorées 100 %", "€€€"})
        EXPECT_EQ(platform::characterCount(entity::columnText("106", label)), 31u) << label;
    EXPECT_EQ(entity::columnText("0125", "Heures normales d'intervention"),
              "0125-Heures normales d'interve ")
        << "a longer code takes its room from the label";
}

TEST(CodeTest, CodesAreCountedInCharacters) {
    EXPECT_EQ(data::completedCode("é"), "00é");
    EXPECT_TRUE(data::isComplete("àé1"));
    EXPECT_FALSE(data::isComplete("0123"));
}

TEST(EntityCodeTest, TheListIsSearchedExactlyUpToItsFirstEmptyRow) {
    const mvdb::DynArray list(
        mvdb::fromNotation("001]Aide à domicile^abc]Présence^^012]Après le trou"));
    EXPECT_EQ(entity::entityRow(list, "abc"), 2);
    EXPECT_EQ(entity::entityRow(list, "ABC"), 0) << "letter case counts";
    EXPECT_EQ(entity::entityRow(list, "012"), 0) << "the list ends at its empty row";
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
