// The forms that the screen's tests do not reach one by one: the two queries as the database reads
// them, the codes of entities and rubrics (characters against bytes, keys that are not digits),
// the columns of a line, and the fields of a code line.
#include <gtest/gtest.h>

#include "data/Code.h"
#include "detail/CodeLine.h"
#include "entity/EntityList.h"
#include "entity/LineFormat.h"
#include "platform/Utf8.h"
#include "platform/mvdb/Notation.h"
#include "rubric/RubricCode.h"
#include "rubric/RubricLists.h"

namespace {

TEST(EntityAndRubricFormsTest, TheQueriesAreExactCodesCountCharactersAndTheListIsSearchedExactly) {
    EXPECT_EQ(mvdb::toNotation(entity::entityQuery().Extract()),
              "SSELECT ASSOCIATION  PAR 1^ASSOCIATION^0 1 38");
    EXPECT_EQ(mvdb::toNotation(rubric::rubricQuery().Extract()),
              "SSELECT RUBSAISIE AVEC 2 = \"3\" OR = \"4\" OR = \"5\" PAR 1^RUBSAISIE^0 1 2 18");

    // Codes are counted in characters, and the entity list searched exactly.
    EXPECT_EQ(data::completedCode("é"), "00é");
    EXPECT_TRUE(data::isComplete("àé1"));
    EXPECT_FALSE(data::isComplete("0123"));

    const mvdb::DynArray list(
        mvdb::fromNotation("001]Aide à domicile^abc]Présence^^012]Après le trou"));
    EXPECT_EQ(entity::entityRow(list, "abc"), 2);
    EXPECT_EQ(entity::entityRow(list, "ABC"), 0) << "letter case counts";
    EXPECT_EQ(entity::entityRow(list, "012"), 0) << "the list ends at its empty row";
    EXPECT_EQ(entity::entityCode(list, 0), "") << "no row before the first";
}

TEST(RubricCodeTest, OnlyKeysOfDigitsUpTo999MakeACodeAndZerosFillingOneAreAlsoDropped) {
    EXPECT_EQ(rubric::rubricCode("007"), 7);
    EXPECT_EQ(rubric::rubricCode("7"), 7);
    EXPECT_EQ(rubric::rubricCode("000"), 0);
    EXPECT_EQ(rubric::rubricCode("0999"), 999);
    for (const char* key : {"1000", "-5", "-0", "+7", "12.5", " 12", "ABC", "1e2", ""})
        EXPECT_EQ(rubric::rubricCode(key), std::nullopt) << key;
    EXPECT_EQ(detail::Valeur_Code("012"), 12);
    EXPECT_EQ(detail::Valeur_Code(""), std::nullopt) << "an empty field names no rubric";

    // A code filled with zeros is also kept under its number alone.
    EXPECT_EQ(rubric::keyWithoutLeadingZeros("007"), "7");
    EXPECT_EQ(rubric::keyWithoutLeadingZeros("07"), "7");
    EXPECT_EQ(rubric::keyWithoutLeadingZeros("0010"), "10");
    EXPECT_EQ(rubric::keyWithoutLeadingZeros("000"), "0");
    for (const char* other : {"101", "0", "", "07A", "0 7", "-07"})
        EXPECT_FALSE(rubric::keyWithoutLeadingZeros(other)) << other;
}

TEST(LineFormatTest, WidthsCountCharactersSoNoAccentIsCutInTwoAndFieldsLieBetweenSeparators) {
    // "é" at the 30th and 31st characters: a cut by bytes would keep half of one.
    EXPECT_EQ(entity::columnText("104", "Heures fériées travailléééé"),
              "104-Heures fériées travaillééé ");
    for (const char* label : {"Fériées", "Heures fériées travaillées majorées 100 %", "€€€"})
        EXPECT_EQ(platform::characterCount(entity::columnText("106", label)), 31u) << label;
    EXPECT_EQ(entity::columnText("0125", "Heures normales d'intervention"),
              "0125-Heures normales d'interve ")
        << "a longer code takes its room from the label";

    // A field of a code line is the text between its separators.
    const std::string line = "101;;205;;";
    EXPECT_EQ(detail::Extraire_Champ(line, 1), "101");
    EXPECT_EQ(detail::Extraire_Champ(line, 2), "");
    EXPECT_EQ(detail::Extraire_Champ(line, 3), "205");
    EXPECT_EQ(detail::Extraire_Champ(line, 5), "");
    EXPECT_EQ(detail::Extraire_Champ("101", 1), "101");
    for (const std::int16_t outside : {0, -1, 6})
        EXPECT_EQ(detail::Extraire_Champ(line, outside), "") << outside;
}

}  // namespace
