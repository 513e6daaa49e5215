#include <gtest/gtest.h>

#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Sentence.h"

namespace mvdb {
namespace {

// Where and why the sentence is refused, as its error says after "Phrase de sélection
// incorrecte ".
std::string errorOf(const std::string& sentence) {
    try {
        parseSentence(sentence);
    } catch (const DbError& error) {
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
