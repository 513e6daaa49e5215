// The texts of the component: the ^ ] \ notation of marked texts, the order of labels and of
// sort keys, and the parse of selection sentences.
#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "platform/TextIndex.h"
#include "platform/mvdb/Collation.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/KeySort.h"
#include "platform/mvdb/Marks.h"
#include "platform/mvdb/Notation.h"
#include "platform/mvdb/Sentence.h"

namespace mvdb {
namespace {

TEST(NotationTest, WritesTheMarksAsCaretBracketAndBackslashAndEscapesOnlyWhatWouldBeMisread) {
    const std::string marked = std::string("001\xFE") + "Aide à domicile\xFD" + "2\xFC" + "3";
    EXPECT_EQ(toNotation(marked), "001^Aide à domicile]2\\3");
    EXPECT_EQ(fromNotation("001^Aide à domicile]2\\3"), marked);
    // Only what would be misread is escaped.
    EXPECT_EQ(toNotation("Majoration 25 %"), "Majoration 25 %");
    EXPECT_EQ(toNotation("a^b]c\\d"), "a%5Eb%5Dc%5Cd");
    EXPECT_EQ(toNotation("%41 et %4G"), "%2541 et %4G");
    EXPECT_EQ(toNotation("ligne\nsuivante\t\x7F"), "ligne%0Asuivante%09%7F");
    EXPECT_EQ(toNotation("caf\xC3"), "caf%C3");
    EXPECT_EQ(toNotation("\xFF"), "%FF");
    EXPECT_EQ(fromNotation("%5e%2541 %zz %"), "^%41 %zz %");
}

TEST(MarksTest, CountsEachMarkOfAnyTextWordByWordAsByteByByte) {
    std::mt19937 random(11);
    const std::string bytes = std::string("\xFE\xFD\xFC\x7F\x80\xFF\x01") + '\0' + "a";
    for (int trial = 0; trial < 2000; ++trial) {
        std::string text(random() % 40, '\0');
        for (char& c : text)
            c = bytes[random() % bytes.size()];
        for (const char mark : {kAttributeMark, kValueMark, kSubvalueMark}) {
            ASSERT_EQ(markCount(text, mark),
                      static_cast<std::size_t>(std::count(text.begin(), text.end(), mark)))
                << toNotation(text);
        }
    }
}

// A text is found again from any bytes equal to it: the empty text from a view of no bytes at all.
TEST(TextIndexTest, FindsTheEmptyTextFromAViewOfNoBytes) {
    platform::TextIndex index;
    index.add("001");
    index.add("");
    EXPECT_EQ(index.find(std::string_view()), 1u);
}

TEST(NotationTest, ReadsBackEveryTextExactly) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 2000; ++trial) {
        std::string text(random() % 12, '\0');
        for (char& c : text)
            c = static_cast<char>(random() % 256);
        const std::string notation = toNotation(text);
        ASSERT_EQ(fromNotation(notation), text) << notation;
        for (unsigned char c : notation)
            ASSERT_GE(c, 0x20) << notation;
    }
}

std::vector<std::string> collated(std::vector<std::string> texts) {
    std::sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
        return collationKey(a) < collationKey(b);
    });
    return texts;
}

// Like a dictionary, without case or accents; ties broken by the exact text, prefixes first; bytes
// that are no character kept in their place.
TEST(CollationTest, SortsLikeADictionaryThenByTheExactText) {
    EXPECT_EQ(collated({"Heures normales", "Forfait", "Élément variable", "heures de nuit", "Durée",
                        "Œuvres sociales", "Astreinte"}),
              (std::vector<std::string>{"Astreinte", "Durée", "Élément variable", "Forfait",
                                        "heures de nuit", "Heures normales", "Œuvres sociales"}));
    EXPECT_EQ(collated({"été", "Ete", "ete", "Eté", "et"}),
              (std::vector<std::string>{"et", "Ete", "Eté", "ete", "été"}));
    EXPECT_LT(collationKey(""), collationKey("a"));
    EXPECT_EQ(collated({"b", "\xFF", "a\xC3"}), (std::vector<std::string>{"a\xC3", "b", "\xFF"}));
}

// Where and why the sentence is refused, as its error says after "Phrase de sélection
// incorrecte ".
std::string errorOf(const std::string& sentence) {
    try {
        parseSentence(sentence);
    } catch (const platform::ComponentError& error) {
        const std::string what = error.what();
        EXPECT_EQ(error.number(), kErrSentence);
        EXPECT_TRUE(what.starts_with("Phrase de sélection incorrecte ")) << what;
        return what.substr(what.find(' ', what.find("incorrecte")) + 1);
    }
    return "no error";
}

// The parsed sentence in one line: file, each condition's tests, sort fields.
std::string described(const Sentence& sentence) {
    std::string text = sentence.file;
    for (const Sentence::Condition& condition : sentence.conditions) {
        text += " |";
        for (const Sentence::Test& test : condition) {
            text += " " + std::to_string(test.field) + "=" + test.value;
        }
    }
    for (int field : sentence.sortFields)
        text += " by " + std::to_string(field);
    return text;
}

// Keys drawn from few bytes, with long shared beginnings, equal keys and keys that begin others,
// at every size around the switch to sorting by insertion: the order is the byte order of the
// keys, equal keys in the order that the tie-break gives.
TEST(KeySortTest, SortsInTheKeysByteOrderAndEqualKeysByTheTieBreak) {
    std::mt19937 random(11);
    const std::string beginning = "Association d'aide \xC3\xA0 domicile n\xC2\xB0 ";
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<std::string> keys(random() % 60);
        for (std::string& key : keys) {
            key = random() % 2 ? beginning : "";
            for (std::size_t n = random() % 4; n > 0; --n)
                key += "ab\0\xFF"[random() % 4];
        }
        std::vector<KeyedRow> rows;
        for (std::uint32_t row = 0; row < keys.size(); ++row)
            rows.push_back({keys[row], row});
        // Equal keys come last row first, so that the tie-break is seen to decide.
        sortByKeys(rows, [](std::uint32_t a, std::uint32_t b) { return a > b; });
        std::vector<bool> seen(keys.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            ASSERT_FALSE(seen[rows[i].row]) << "trial " << trial << ": a row twice";
            seen[rows[i].row] = true;
            if (i == 0) continue;
            const int order = rows[i - 1].key().compare(rows[i].key());
            ASSERT_TRUE(order < 0 || (order == 0 && rows[i - 1].row > rows[i].row))
                << "trial " << trial << ", place " << i;
        }
    }
}

TEST(SentenceTest, ReadsTheFileTheTestsAndTheSortFields) {
    EXPECT_EQ(
        described(parseSentence(
            "SSELECT RUBSAISIE AVEC 2 = \"3\" OR = \"4\" OR 7 = '' with 0 = \"a b\" PAR 1 by 0")),
        "RUBSAISIE | 2=3 2=4 7= | 0=a b by 1 by 0");
    EXPECT_EQ(described(parseSentence("  select  ASSOCIATION  par 1  ")), "ASSOCIATION by 1");
}

TEST(SentenceTest, NamesTheWordWhereTheReadingStopped) {
    // A quoted word is named with its quotes; an empty one is a word, not the sentence's end.
    const std::pair<const char*, const char*> refusals[] = {
        {"LIST ASSOCIATION", "au mot 1 (« LIST ») : SELECT ou SSELECT est attendu."},
        {"SSELECT", "à la fin de la phrase : un nom de fichier est attendu."},
        {"SSELECT ASSOCIATION PAR NOM", "au mot 4 (« NOM ») : un numéro de champ est attendu."},
        {"SSELECT RUBSAISIE AVEC 2 \"3\"", "au mot 5 (« \"3\" ») : « = » est attendu."},
        {"SSELECT ''", "au mot 2 (« '' ») : un nom de fichier est attendu."},
        {"SSELECT RUBSAISIE AVEC 2 = 3",
         "au mot 6 (« 3 ») : une valeur entre guillemets est attendue."},
        {"SSELECT RUBSAISIE AVEC 2 = \"3", "au mot 6 (« \"3 ») : le guillemet n'est pas fermé."},
        {"SSELECT RUBSAISIE TRIE 1", "au mot 3 (« TRIE ») : WITH, AVEC, BY ou PAR est attendu."},
        {"SSELECT RUBSAISIE AVEC -2 = \"3\"",
         "au mot 4 (« -2 ») : un numéro de champ est attendu."},
    };
    for (const auto& [sentence, why] : refusals)
        EXPECT_EQ(errorOf(sentence), why);
}

}  // namespace
}  // namespace mvdb
