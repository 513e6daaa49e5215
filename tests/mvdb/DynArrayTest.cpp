#include <algorithm>
#include <array>
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

// The random run below compares every read, count and change with the text model; these are the
// cases it cannot meet: the example of the documentation, an index far past the end, and Assign
// of one attribute.
TEST(DynArrayTest, ReplaceExtendsTheArrayAndReadsPastTheEndAreEmpty) {
    DynArray array;
    array.Replace(3, 2, 0, "x");
    EXPECT_EQ(toNotation(array.Extract()), "^^]x");
    EXPECT_EQ(array.Extract(1000000, 2), "");
    array.Assign(4, "z");
    EXPECT_EQ(toNotation(array.Extract()), "^^]x^z");
}

TEST(DynArrayTest, NegativeOrHugeIndexesFailCleanly) {
    DynArray array = DynArray(fromNotation("a^b"));
    const int huge = DynArray::kMaxIndex + 1;
    // A huge index fails a change only, refused before the attribute past the last one is made.
    for (const auto& [a, v, s] : std::vector<std::array<int, 3>>{
             {-1, 0, 0}, {1, -1, 0}, {1, 0, -2}, {huge, 0, 0}, {1, huge, 0}, {3, huge, 0}}) {
        EXPECT_EQ(errorNumberOf([&] { array.Replace(a, v, s, "x"); }), kErrBadIndex);
        EXPECT_EQ(errorNumberOf([&] { array.Extract(a, v, s); }),
                  std::min({a, v, s}) < 0 ? kErrBadIndex : 0);
    }
    EXPECT_EQ(toNotation(array.Extract()), "a^b");
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
                if (v == 0 && pick(2) == 0)
                    array.Assign(a, piece);
                else
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

}  // namespace
}  // namespace mvdb
