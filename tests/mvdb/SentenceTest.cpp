#include <gtest/gtest.h>

#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Sentence.h"

namespace mvdb {
namespace {

std::string errorOf(const std::string& sentence) {
    try {
        parseSentence(sentence);
    } catch (const DbError& error) {
        EXPECT_EQ(error.number(), kErrSentence);
        return error.what();
    }
    return "no error";
}

TEST(SentenceTest, ReadsTheFileTheTestsAndTheSortFields) {
    const Sentence sentence = parseSentence(
        "SSELECT RUBSAISIE AVEC 2 = \"3\" OR = \"4\" OR 7 = '' with 0 = \"a b\" PAR 1 by 0");
    EXPECT_EQ(sentence.file, "RUBSAISIE");
    ASSERT_EQ(sentence.conditions.size(), 2u);
    const Sentence::Condition& first = sentence.conditions[0];
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].field, 2);
    EXPECT_EQ(first[0].value, "3");
    EXPECT_EQ(first[1].field, 2);
    EXPECT_EQ(first[1].value, "4");
    EXPECT_EQ(first[2].field, 7);
    EXPECT_EQ(first[2].value, "");
    EXPECT_EQ(sentence.conditions[1][0].field, 0);
    EXPECT_EQ(sentence.conditions[1][0].value, "a b");
    EXPECT_EQ(sentence.sortFields, (std::vector<int>{1, 0}));
}

TEST(SentenceTest, TakesBlanksAndKeywordsAsTheyCome) {
    const Sentence sentence = parseSentence("  select  ASSOCIATION  par 1  ");
    EXPECT_EQ(sentence.file, "ASSOCIATION");
    EXPECT_TRUE(sentence.conditions.empty());
    EXPECT_EQ(sentence.sortFields, (std::vector<int>{1}));
}

TEST(SentenceTest, NamesTheWordWhereTheReadingStopped) {
    EXPECT_EQ(
        errorOf("LIST ASSOCIATION"),
        "Phrase de sélection incorrecte au mot 1 (« LIST ») : SELECT ou SSELECT est attendu.");
    EXPECT_EQ(errorOf("SSELECT"),
              "Phrase de sélection incorrecte à la fin de la phrase : un nom de fichier est "
              "attendu.");
    EXPECT_EQ(
        errorOf("SSELECT ASSOCIATION PAR NOM"),
        "Phrase de sélection incorrecte au mot 4 (« NOM ») : un numéro de champ est attendu.");
    EXPECT_EQ(errorOf("SSELECT RUBSAISIE AVEC 2 \"3\""),
              "Phrase de sélection incorrecte au mot 5 (« 3 ») : « = » est attendu.");
    EXPECT_EQ(errorOf("SSELECT RUBSAISIE AVEC 2 = 3"),
              "Phrase de sélection incorrecte au mot 6 (« 3 ») : une valeur entre guillemets est "
              "attendue.");
    EXPECT_EQ(errorOf("SSELECT RUBSAISIE AVEC 2 = \"3"),
              "Phrase de sélection incorrecte au mot 6 (« \"3 ») : le guillemet n'est pas fermé.");
    EXPECT_EQ(errorOf("SSELECT RUBSAISIE TRIE 1"),
              "Phrase de sélection incorrecte au mot 3 (« TRIE ») : WITH, AVEC, BY ou PAR est "
              "attendu.");
    EXPECT_EQ(errorOf("SSELECT RUBSAISIE AVEC -2 = \"3\""),
              "Phrase de sélection incorrecte au mot 4 (« -2 ») : un numéro de champ est attendu.");
}

}  // namespace
}  // namespace mvdb
