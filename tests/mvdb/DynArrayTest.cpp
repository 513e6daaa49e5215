#include <random>

#include <gtest/gtest.h>

#include "TestDatabase.h"
#include "TextModel.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/DynArray.h"
#include "platform/mvdb/Notation.h"

namespace mvdb {
namespace {

using testing::errorNumberOf;
using testing::TextModel;

DynArray fromNotationText(const std::string& notation) {
    return DynArray(fromNotation(notation));
}
std::string notationOf(const DynArray& array) {
    return toNotation(array.Extract());
}

TEST(DynArrayTest, ReadsAttributesValuesAndSubvaluesBetweenTheirMarks) {
    const DynArray array = fromNotationText("Heures]101^102\\103\\^");
    EXPECT_EQ(array.DCount(), 3);
    EXPECT_EQ(toNotation(array.Extract(1)), "Heures]101");
    EXPECT_EQ(array.Extract(1, 1), "Heures");
    EXPECT_EQ(array.Extract(1, 2), "101");
    EXPECT_EQ(array.Extract(2, 1, 2), "103");
    EXPECT_EQ(array.Extract(2, 1, 3), "");
    EXPECT_EQ(array.Extract(3), "");
    EXPECT_EQ(array.Extract(4), "");
    EXPECT_EQ(array.Extract(1000000, 2), "");
    EXPECT_EQ(array.Extract(1, 3), "");
    EXPECT_EQ(DynArray().Extract(5, 1), "");
}

TEST(DynArrayTest, IndexZeroMeansTheWholeEnclosingElement) {
    const DynArray array = fromNotationText("a]b\\c^d");
    EXPECT_EQ(notationOf(array), "a]b\\c^d");
    EXPECT_EQ(toNotation(array.Extract(0)), "a]b\\c^d");
    EXPECT_EQ(toNotation(array.Extract(0, 2, 1)), "a]b\\c^d");
    EXPECT_EQ(toNotation(array.Extract(1, 0)), "a]b\\c");
    EXPECT_EQ(toNotation(array.Extract(1, 0, 2)), "a]b\\c");
    EXPECT_EQ(toNotation(array.Extract(1, 2, 0)), "b\\c");
}

TEST(DynArrayTest, CountsAttributesAsTheMarksShowThem) {
    EXPECT_EQ(DynArray().DCount(), 0);
    EXPECT_EQ(fromNotationText("").DCount(), 0);
    EXPECT_EQ(fromNotationText("x").DCount(), 1);
    EXPECT_EQ(fromNotationText("]").DCount(), 1);
    EXPECT_EQ(fromNotationText("^").DCount(), 2);
    EXPECT_EQ(fromNotationText("a^^").DCount(), 3);

    DynArray emptied = fromNotationText("a");
    emptied.Replace(1, 0, 0, "");
    EXPECT_EQ(emptied.DCount(), 0);
    EXPECT_EQ(emptied.Extract(), "");
}

TEST(DynArrayTest, ReplaceExtendsTheArrayWithEmptyElements) {
    DynArray array;
    array.Replace(3, 2, 0, "x");
    EXPECT_EQ(notationOf(array), "^^]x");
    EXPECT_EQ(array.DCount(), 3);
    array.Replace(1, 1, 3, "s");
    EXPECT_EQ(notationOf(array), "\\\\s^^]x");
    array.Replace(5, 0, 0, "");
    EXPECT_EQ(notationOf(array), "\\\\s^^]x^^");
}

TEST(DynArrayTest, AssignTakesOverAWholeTextOrOneAttribute) {
    DynArray array = fromNotationText("a]b^c");
    array.Replace(4, 1, 0, "d");
    array.Assign(fromNotation("x^y"));
    EXPECT_EQ(array.DCount(), 2);
    EXPECT_EQ(array.Extract(2), "y");
    array.Assign(3, "z");
    EXPECT_EQ(notationOf(array), "x^y^z");

    DynArray copy;
    copy.Assign(array.Extract());
    EXPECT_EQ(copy.Extract(), array.Extract());
    copy.Replace(1, 1, 0, "changed");
    EXPECT_EQ(notationOf(copy), "changed^y^z");
    EXPECT_EQ(notationOf(array), "x^y^z");
}

TEST(DynArrayTest, NegativeOrHugeIndexesFailCleanly) {
    DynArray array = fromNotationText("a^b");
    EXPECT_EQ(errorNumberOf([&] { array.Extract(-1); }), kErrBadIndex);
    EXPECT_EQ(errorNumberOf([&] { array.Extract(1, -1); }), kErrBadIndex);
    EXPECT_EQ(errorNumberOf([&] { array.Replace(1, 0, -2, "x"); }), kErrBadIndex);
    EXPECT_EQ(errorNumberOf([&] { array.Replace(DynArray::kMaxIndex + 1, 0, 0, "x"); }),
              kErrBadIndex);
    EXPECT_EQ(errorNumberOf([&] { array.Replace(1, DynArray::kMaxIndex + 1, 0, "x"); }),
              kErrBadIndex);
    // Refused before the attribute past the last one is made.
    EXPECT_EQ(errorNumberOf([&] { array.Replace(3, DynArray::kMaxIndex + 1, 0, "x"); }),
              kErrBadIndex);
    EXPECT_EQ(notationOf(array), "a^b");
}

TEST(DynArrayTest, AgreesWithPastingIntoTheTextOverARandomRunOfChanges) {
    const std::vector<std::string> pieces = {
        "",       "a",      "bc",   "é",         "x\xFEy",
        "p\xFDq", "s\xFCt", "\xFE", "1\xFD\xFE", std::string("\xFC\xFC") + "2"};
    std::mt19937 random(20261206);
    const auto pick = [&](int below) { return static_cast<int>(random() % below); };
    DynArray array;
    TextModel model;
    for (int step = 0; step < 5000; ++step) {
        const int a = pick(5), v = pick(4), s = pick(3);
        switch (pick(6)) {
            case 0:
            case 1:
            case 2: {
                const std::string& piece = pieces[pick(static_cast<int>(pieces.size()))];
                array.Replace(a, v, s, piece);
                model.replace(a, v, s, piece);
                break;
            }
            case 3:
                ASSERT_EQ(array.Extract(a, v, s), model.extract(a, v, s))
                    << "step " << step << " on " << toNotation(model.text);
                break;
            case 4:
                ASSERT_EQ(array.DCount(), model.dcount()) << "step " << step;
                break;
            default:
                if (pick(10) == 0) {
                    model.text = model.text.substr(0, model.text.size() / 2);
                    array.Assign(model.text);
                }
                ASSERT_EQ(toNotation(array.Extract()), toNotation(model.text)) << "step " << step;
        }
    }
}

TEST(DynArrayTest, ReadsALongTextAsItsMarksSayAndAgainOnceChanged) {
    std::mt19937 random(20261207);
    const std::string pieces[] = {"", "101", "é", "\xFE", "\xFD", "\xFC", "\xFE\xFE", "\xFD\xFD"};
    TextModel model;
    while (model.text.size() <= DynArray::kReadInPlace * 2)
        model.text += pieces[random() % std::size(pieces)];
    model.text += "\xFD";
    DynArray array(model.text);
    const int attributes = model.dcount();
    ASSERT_EQ(array.DCount(), attributes);
    const auto expectAgreement = [&](const char* when) {
        for (int a = 0; a <= attributes + 1; ++a)
            for (int v = 0; v <= 5; ++v)
                for (int s = 0; s <= 2; ++s)
                    ASSERT_EQ(array.Extract(a, v, s), model.extract(a, v, s))
                        << when << " (" << a << ", " << v << ", " << s << ")";
    };
    expectAgreement("as read");
    array.Replace(2, 1, 0, "x");
    model.replace(2, 1, 0, "x");
    expectAgreement("once changed");
}

TEST(DynArrayTest, BuildsAParameterRecordOfTenThousandLinesValueByValue) {
    constexpr int kLines = 10000;
    DynArray record(fromNotation("01/02/2025^ADMIN^^"));
    std::array<std::string, 5> expected;
    for (int line = 1; line <= kLines; ++line) {
        for (int attribute = 5; attribute <= 9; ++attribute) {
            const std::string code = std::to_string(100 + attribute) + "-" + std::to_string(line);
            record.Replace(attribute, line, 0, code);
            std::string& column = expected[attribute - 5];
            if (line > 1) column += '\xFD';
            column += code;
        }
    }
    EXPECT_EQ(record.DCount(), 9);
    std::string whole = fromNotation("01/02/2025^ADMIN^^^");
    for (int i = 0; i < 5; ++i)
        whole += (i ? "\xFE" : "") + expected[i];
    EXPECT_EQ(record.Extract(), whole);
    EXPECT_EQ(record.Extract(7, kLines), "107-10000");

    const DynArray reread(record.Extract());
    EXPECT_EQ(reread.DCount(), 9);
    EXPECT_EQ(reread.Extract(9, 1), "109-1");
    EXPECT_EQ(reread.Extract(7, kLines), "107-10000");
    EXPECT_EQ(reread.Extract(7, kLines + 1), "");
}

}  // namespace
}  // namespace mvdb
