#include <algorithm>

#include <gtest/gtest.h>

#include "platform/mvdb/Collation.h"

namespace mvdb {
namespace {

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

}  // namespace
}  // namespace mvdb
