// Records whose marks are stray or doubled where the screen expects plain values: what is shown,
// what the user is told, and what is stored once the entity is edited and validated.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control/ControlTesting.h"

namespace {

using control_testing::itemTexts;

// A parameter record of entity 012 in ^ ] \ notation, its lines as shown, the values that the
// warning names ("" for no warning), and the record saved once a line of rubric 205 is added.
struct StrayCase {
    const char* name;
    const char* record;
    std::vector<std::string> lines;
    const char* named;
    const char* saved;
};

void PrintTo(const StrayCase& stray, std::ostream* out) {
    *out << stray.name;
}

const StrayCase kCases[] = {
    {"DoubledValueMarkEndsTheLines",
     "01/02/2025^ADM02^^^101]]111^103^^^",
     {"101;103;;;"},
     "attribut 5, valeur 3 : « 111 »",
     "01/02/2025^ADM02^^^101]205^103]^]^]^]"},
    {"DoubledAttributeMarkShiftsTheRubrics",
     "^^^^^101]103^^^^Archive",
     {},
     "attribut 6, valeur 1 : « 101 » ; attribut 6, valeur 2 : « 103 »",
     "^^^^205^^^^^Archive"},
    {"FiveValuesNamedThenHowManyMore",
     "^^^^101]]1]2]3]4]5]6]7^^^^",
     {"101;;;;"},
     "attribut 5, valeur 3 : « 1 » ; attribut 5, valeur 4 : « 2 » ; attribut 5, valeur 5 : « 3 » "
     "; attribut 5, valeur 6 : « 4 » ; attribut 5, valeur 7 : « 5 » ; et 2 autres",
     "^^^^101]205^]^]^]^]"},
    {"SubvalueMarksInsideRubrics",
     R"(^^^^101\102]123^103\104]^^^)",
     {";;;;", "123;;;;"},
     R"(attribut 5, valeur 1 : « 101\102 » ; attribut 6, valeur 1 : « 103\104 »)",
     "^^^^123]205^]^]^]^]"},
    {"TrailingMarks",
     "01/02/2025^^^^101]123]^103]]]^^^^^^",
     {"101;103;;;", "123;;;;"},
     "",
     "01/02/2025^^^^101]123]205^103]]^]]^]]^]]^^^"},
    {"MarksInWhatTheControlDoesNotOwn",
     R"(01]]02\\^ADM^^\^101^^^^^]]^\)",
     {"101;;;;"},
     "",
     R"(01]]02\\^ADM^^\^101]205^]^]^]^]^]]^\)"},
};

class StrayMarksTest : public control_testing::EditorTest,
                       public ::testing::WithParamInterface<StrayCase> {};

TEST_P(StrayMarksTest, TheLinesShowTheUserIsToldAndOnlyTheLinesAreRewritten) {
    const StrayCase& stray = GetParam();
    put(database, "TPSPARAMBASCUL", "012", stray.record);
    reopen("012");
    EXPECT_EQ(itemTexts(control.Lst_Codes), stray.lines);
    if (*stray.named == '\0') {
        EXPECT_TRUE(messages.asked.empty());
    } else {
        ASSERT_EQ(messages.asked.size(), 1u);
        control_testing::expectBox(
            messages.asked[0],
            {"L'enregistrement de l'entité juridique 012 contient des valeurs que ses lignes "
             "n'affichent pas ; elles seront supprimées si l'entité est validée : " +
                 std::string(stray.named) + ".",
             "Message QUORVEL", toolkit::MsgIcon::Exclamation, toolkit::MsgButtons::Ok});
    }
    addLine({"205"});
    user.click(control.Cmd_Ok);
    EXPECT_EQ(storedRecord("012"), stray.saved);
}

INSTANTIATE_TEST_SUITE_P(Records, StrayMarksTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class MarksWherePlainValuesAreExpectedTest : public control_testing::EditorTest {};

TEST_F(MarksWherePlainValuesAreExpectedTest, AnEntityLeftUnchangedKeepsItsStrayValues) {
    put(database, "TPSPARAMBASCUL", "012", kCases[0].record);
    reopen("012");
    user.click(control.Cmd_Sortir);
    EXPECT_EQ(messages.asked.size(), 1u) << "the warning alone: nothing to save";
    EXPECT_TRUE(control.Parent().unloaded());
    EXPECT_EQ(storedRecord("012"), kCases[0].record);
}

}  // namespace
