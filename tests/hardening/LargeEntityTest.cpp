// An entity of 100,000 lines: it opens whole, one of its lines is edited, and the record read back
// holds every line, the edited one changed.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"

namespace {

constexpr int kLines = 100000;

using Rubric = std::function<const char*(int line)>;

// The values of one rubric attribute, the rubric of line n (from 1) in value n.
std::string attribute(const Rubric& rubric) {
    std::string text;
    for (int line = 1; line <= kLines; ++line) {
        if (line > 1) text += ']';
        text += rubric(line);
    }
    return text;
}

// A parameter record whose every line has its weekday rubric and every tenth line its May-Day
// rubric, with the Sunday rubrics given.
std::string parameters(const Rubric& sunday) {
    const std::string none = attribute([](int) { return ""; });
    return "01/02/2025^ADM02^^^" + attribute([](int) { return "101"; }) + "^" + attribute(sunday) +
           "^" + attribute([](int line) { return line % 10 == 0 ? "109" : ""; }) + "^" + none +
           "^" + none + "^Archive";
}

class LargeEntityTest : public control_testing::EditorTest {};

TEST_F(LargeEntityTest, AHundredThousandLinesOpenOneIsEditedAndAllAreSavedWhole) {
    constexpr int kEdited = 76543;  // from 1
    put(database, "TPSPARAMBASCUL", "012", parameters([](int) { return ""; }));
    reopen("012");
    ASSERT_EQ(control.Lst_Codes.ListCount(), kLines);
    EXPECT_EQ(control.Lst_Codes.List(kLines - 1), "101;;;;109");

    open(kEdited - 1);
    type(control.Txt_RubDim, "103");
    user.click(control.Cmd_OkDetail);
    user.click(control.Cmd_Ok);
    ASSERT_EQ(control.Lst_Codes.ListCount(), 0) << "saved";
    EXPECT_EQ(storedRecord("012"),
              parameters([](int line) { return line == kEdited ? "103" : ""; }));
}

}  // namespace
