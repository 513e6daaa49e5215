// The forms that the screen's tests do not reach one by one: the codes of entities and rubrics
// (characters against bytes, keys that are not digits), the columns of a line, and the fields of a
// code line.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "data/Code.h"
#include "detail/CodeLine.h"
#include "entity/EntityList.h"
#include "entity/LineFormat.h"
#include "platform/mvdb/Notation.h"
#include "rubric/RubricCode.h"

namespace {

// Codes are counted in characters, and the entity list searched exactly.
TEST(EntityAndRubricFormsTest, CodesCountCharactersAndTheListIsSearchedExactly) {
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

// Pieces of text, "|" between their characters as a column counts them: valid ones of one to
// four bytes, the last character among them; then bytes that start no valid character, each one
// character of its own (a lone continuation byte, overlong forms, a surrogate, one past the last
// character, a Latin-1 é, a cut €), followed within their piece by what shows them invalid, so
// that no piece completes the next one's character. Then what may end a text: a character cut
// short by the end.
// clang-format off
const std::vector<std::string_view> kPieces = {"a", " ", "é", "€", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF",
    "\x80", "\xC0|\xAF", "\xE0|\x80|\xAF", "\xED|\xA0|\x80", "\xF4|\x90|\x80|\x80", "\xE9|t", "\xE2|\x82|x"};
// clang-format on
const std::vector<std::string_view> kEnds = {"", "\xC3", "\xF0|\x9F|\x98"};

using Characters = std::vector<std::string>;

void append(Characters& characters, std::string_view piece) {
    while (!piece.empty()) {
        const std::size_t bar = std::min(piece.find('|'), piece.size());
        characters.emplace_back(piece.substr(0, bar));
        piece.remove_prefix(std::min(bar + 1, piece.size()));
    }
}

// The characters of a text of fewer than most random pieces.
Characters anyText(std::size_t most) {
    Characters characters;
    const auto pieces = rc::gen::inRange<std::size_t>(0, kPieces.size());
    for (const std::size_t piece : *rc::gen::container<std::vector<std::size_t>>(
             *rc::gen::inRange<std::size_t>(0, most), pieces))
        append(characters, kPieces[piece]);
    append(characters, kEnds[*rc::gen::inRange<std::size_t>(0, kEnds.size())]);
    return characters;
}

// The bytes of the first count characters.
std::string firstOf(const Characters& characters, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < std::min(count, characters.size()); ++i)
        text += characters[i];
    return text;
}

// Over any code and label, well formed or not: a column is the code, "-" and the label cut after 30
// characters, never inside one, then blanks to 31; the line editor's is that of the label's first
// 26 characters.
RC_GTEST_PROP(LineFormatTest, AColumnIsCutBetweenCharactersAndFilledToItsWidth, ()) {
    const Characters code = anyText(4);
    const Characters label = anyText(40);
    Characters whole = code;
    whole.push_back("-");
    whole.insert(whole.end(), label.begin(), label.end());
    const std::size_t shown = std::min<std::size_t>(whole.size(), 30);
    const std::string column = firstOf(whole, 30) + std::string(31 - shown, ' ');
    const std::string codeText = firstOf(code, code.size());
    RC_ASSERT(entity::columnText(codeText, firstOf(label, label.size())) == column);
    RC_ASSERT(entity::editorColumn(codeText, firstOf(label, label.size())) ==
              entity::columnText(codeText, firstOf(label, 26)));
}

TEST(LineFormatTest, AFieldOfACodeLineIsTheTextBetweenItsSeparators) {
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
