#include <random>

#include <gtest/gtest.h>

#include "platform/mvdb/Notation.h"

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

}  // namespace
}  // namespace mvdb
