#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/Script.h"

namespace host {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Property;
using ::testing::Throws;

Statement only(std::string_view text) {
    const std::vector<Statement> statements = parseScript(text);
    EXPECT_EQ(statements.size(), 1u);
    return statements.at(0);
}

template <class T>
T actionOf(std::string_view text) {
    const Statement statement = only(text);
    EXPECT_TRUE(std::holds_alternative<T>(statement.action)) << text;
    return std::get<T>(statement.action);
}

TEST(Script, LinesKeepTheirNumbersAndTextWithoutCommentsOrBlanks) {
    const std::vector<Statement> statements =
        parseScript("# start\n\n  click Cmd_Ok   # the screen's OK\n\t\r\ndump\r\n");
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_EQ(statements[0].line, 3);
    EXPECT_EQ(statements[0].source, "click Cmd_Ok");
    EXPECT_EQ(statements[1].line, 5);
    EXPECT_EQ(statements[1].source, "dump");
    // An editor's byte-order mark before the first line.
    EXPECT_EQ(only("\xEF\xBB\xBFtype Txt_Entite 007").source, "type Txt_Entite 007");
}

// What the runner's tests and the scenarios play is left to them: widget names and indexes,
// properties, the subjects of expectations, expect error.
TEST(Script, QuotedTextsHoldBlanksQuotesAndHashesAndTypeOneKeyACharacter) {
    EXPECT_EQ(actionOf<TypeText>(R"(type Txt_Entite "a \"b\" #c")").keys.size(), 8u);
    EXPECT_TRUE(actionOf<TypeText>(R"(type Txt_Entite "")").keys.empty());
    EXPECT_EQ(actionOf<Expect>(R"(expect record F K "x^a]b\c d")").value, R"(x^a]b\c d)");
    // Unquoted, a backslash also stands for itself.
    EXPECT_EQ(actionOf<Expect>(R"(expect record F K a\)").value, "a\\");
    EXPECT_EQ(actionOf<TypeText>("type Cbo_Entite \"Élé 7\"").keys,
              (std::vector<toolkit::KeyCode>{0xC9, 'l', 0xE9, ' ', '7'}));
    EXPECT_EQ(actionOf<PressKey>("key Txt_Entite é").key, 0xE9);
    EXPECT_EQ(actionOf<PressKey>("key Txt_Entite \" \"").key, ' ');
    EXPECT_EQ(actionOf<QueueAnswer>("answer Close").answer, ScriptAnswer::Close);
    EXPECT_EQ(actionOf<QueueAnswer>("answer OK").answer, ScriptAnswer::Ok);
}

TEST(Script, ExpectationsNormaliseTheirValuesAndTellNoneFromTheTextNone) {
    const Expect item = actionOf<Expect>("expect Cbo_Entite.ItemData(2) 007");
    EXPECT_EQ(std::get<PropertyOf>(item.subject).item, 2);
    EXPECT_EQ(item.value, "7");
    EXPECT_EQ(actionOf<Expect>("expect Cbo_Entite.ListIndex -1").value, "-1");
    EXPECT_EQ(actionOf<Expect>("expect Cmd_Ok.Visible False").value, "False");
    EXPECT_FALSE(actionOf<Expect>("expect msgbox none").value.has_value());
    EXPECT_EQ(actionOf<Expect>("expect msgbox \"none\"").value, "none");
    EXPECT_EQ(actionOf<Expect>("expect Txt_Entite.Text none").value, "none");
}

TEST(Script, ALineThatDoesNotParseFailsNamingItsLineAndWhyAndAnUnreadableScriptAtLineZero) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"clik Cmd_Ok", "instruction inconnue : « clik »"},
        {"click", "la forme est : click W"},
        {"type Txt_Entite \"007", "un texte entre guillemets n'est pas fermé"},
        {"type Txt_Entite \"00\"7", "un guillemet fermant doit finir son mot"},
        {"type Txt_Entite 0\"07\"", "un guillemet doit commencer son mot"},
        {"type Txt_Entite \"\xF0\x9F\x98\x80\"", "contient un caractère qu'aucune touche ne tape"},
        {"pick Cbo_Entite first", "« first » n'est pas un numéro d'élément"},
        {"select Lst_Detail -1", "« -1 » n'est pas un numéro d'élément"},
        {"focus Txt-Entite", "« Txt-Entite » n'est pas un nom de widget"},
        {"key Txt_Entite ab", "Enter, Tab, Backspace ou un caractère"},
        {"key Txt_Entite \"\"", "Enter, Tab, Backspace ou un caractère"},
        {"answer Maybe", "Yes, No, Cancel, OK ou Close"},
        {"expect Cmd_Ok.Enabled Yes", "« Yes » n'est ni True ni False"},
        {"expect Cbo_Entite.ListCount many", "« many » n'est pas un nombre entier"},
        {"expect Cmd_Ok.Colour red", "propriété inconnue : « Colour »"},
        {"expect Cbo_Entite.List 0", "List demande un élément : List(i)"},
        {"expect Txt_Entite.Text(1) x", "Text ne prend pas d'élément"},
        {"expect Txt_Entite x", "n'est ni W.PROP"},
        {"expect error a b", "expect error [TEXT]"},
    };
    const auto failsAt = [](int line, const std::string& problem) {
        return Throws<ScriptError>(AllOf(Property(&ScriptError::line, line),
                                         Property(&ScriptError::what, HasSubstr(problem))));
    };
    for (const auto& [line, problem] : cases)
        EXPECT_THAT([&] { parseScript("dump\n" + line + "\n"); }, failsAt(2, problem)) << line;
    // A script that cannot be read fails at line 0, naming its file.
    EXPECT_THAT([] { loadScript("/nonexistent/folder/none.script"); },
                failsAt(0, "/nonexistent/folder/none.script"));
}

}  // namespace
}  // namespace host
