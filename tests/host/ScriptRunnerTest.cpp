// The runner over a screen of its own: the settings screen's widgets on a surface, without the
// control's behaviour; each test wires in the handlers that raise what it needs.
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "control/ControleOstrevan.h"
#include "host/ScriptRunner.h"
#include "mvdb/TestDatabase.h"
#include "platform/ComponentError.h"
#include "platform/toolkit/StateDump.h"
#include "screen/Screen.h"

namespace host {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The screen, with the one member of the control's interface that scripts read.
class TestControl : public toolkit::Surface, public screen::Screen, public component::Dispatchable {
public:
    TestControl()
        : toolkit::Surface(screen::kDesignWidth, screen::kDesignHeight),
          screen::Screen(static_cast<toolkit::Surface&>(*this)) {}

    const component::InterfaceInfo& interfaceInfo() const override { return interface_; }
    component::Variant invoke(component::DispatchId id, component::InvokeKind kind,
                              std::vector<component::Variant>&) override {
        if (id != controle_ostrevan::kW_Sortir || kind != component::InvokeKind::PropertyGet) {
            throw platform::ComponentError(component::kErrUnknownMember, "membre inconnu");
        }
        return component::toBoolean(leaving);
    }

    bool leaving = false;

private:
    component::InterfaceInfo interface_;
};

[[noreturn]] void raiseError(const std::string& text) {
    throw platform::ComponentError(static_cast<std::int32_t>(0x80040207), text);
}

class ScriptRunnerTest : public mvdb::testing::TestDatabase {
protected:
    ScriptRunnerTest() : database(mvdb::Database::Create(path())) {
        put(database, "TPSPARAMBASCUL", "002", "a^b");
        control.setMessageService(&messages);
        control.setErrorHandler([this](const std::exception& error) { runner.reportError(error); });
    }

    // "passed", or the failure as the host prints it.
    std::string outcome(std::string_view script, toolkit::Surface* surface) {
        const std::optional<ScriptFailure> failure =
            runner.run(parseScript(script), {surface, &control, &database});
        return failure ? describe(*failure, "t.script") : "passed";
    }
    std::string outcome(std::string_view script) { return outcome(script, &control); }

    mvdb::Database database;
    TestControl control;
    std::ostringstream out;
    ScriptedMessages messages{out};
    ScriptRunner runner{messages, out};
};

TEST_F(ScriptRunnerTest, TypingGoesKeyByKeyThroughKeyPressAtTheEndOfTheText) {
    control.Txt_Entite.SetText("0");  // the caret stands at the start
    control.Txt_Entite.onKeyPress = [](toolkit::KeyCode& key) {
        if (key == 'a') key = '7';
    };
    std::vector<std::string> changes;
    control.Txt_Entite.onChange = [&] { changes.push_back(control.Txt_Entite.Text()); };
    EXPECT_EQ(outcome("type Txt_Entite 0a\nexpect Txt_Entite.Text 007"), "passed");
    EXPECT_THAT(changes, ElementsAre("00", "007"));
}

TEST_F(ScriptRunnerTest, KeysEditMoveOnOrPressAndActionsTakeTheFocusFirst) {
    std::vector<std::string> events;
    control.Txt_Entite.onLostFocus = [&] { events.push_back("LostFocus"); };
    control.Cmd_Ok.onClick = [&] { events.push_back("Click"); };
    EXPECT_EQ(outcome("type Txt_Entite 12\n"
                      "key Txt_Entite Backspace\n"
                      "key Txt_Entite 5\n"
                      "expect Txt_Entite.Text 15\n"
                      "key Txt_Entite Tab\n"
                      "expect Cbo_Entite.Focused True\n"
                      "focus Txt_Entite\n"
                      "key Cmd_Ok Enter\n"
                      "expect Cmd_Ok.Focused True\n"
                      "click Cmd_Ok\n"),
              "passed");
    EXPECT_THAT(events, ElementsAre("LostFocus", "LostFocus", "Click", "Click"));
}

TEST_F(ScriptRunnerTest, ItemsArePickedSelectedAndReadByIndex) {
    control.Cbo_Entite.AddItem("Aide à Domicile");
    control.Cbo_Entite.AddItem("Domicile Plus");
    control.Cbo_Entite.SetItemData(1, 7);
    control.Cdr_RubHeures.SetEnabled(true);
    control.Lst_Detail.AddItem("101-Heures normales");
    int doubleClicks = 0;
    control.Lst_Detail.onDblClick = [&] { ++doubleClicks; };
    EXPECT_EQ(outcome("pick Cbo_Entite 1\n"
                      "expect Cbo_Entite.ListIndex 1\n"
                      "expect Cbo_Entite.Text \"Domicile Plus\"\n"
                      "expect Cbo_Entite.ItemData(1) 7\n"
                      "expect Cbo_Entite.List(0) \"Aide à Domicile\"\n"
                      "expect Cbo_Entite.ListCount 2\n"
                      "select Lst_Detail 0\n"
                      "dblclick Lst_Detail\n"
                      "expect Lst_Detail.ListIndex 0\n"),
              "passed");
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(outcome("pick Cbo_Entite 2\nexpect error"), "passed");
}

TEST_F(ScriptRunnerTest, ARightClickShowsTheMenuWhoseEntryIsThenChosen) {
    control.onMouseDown = [&](std::int16_t& button, std::int16_t&, float&, float&) {
        if (button == 2) control.PopupMenu(control.Mnu_Aide);
    };
    int chosen = 0;
    control.Mnu_Sommaire.onClick = [&] { ++chosen; };
    EXPECT_EQ(outcome("rightclick\nmenu Mnu_Sommaire"), "passed");
    EXPECT_EQ(chosen, 1);
    EXPECT_THAT(outcome("menu Mnu_Sommaire"),
                HasSubstr("t.script:1: menu Mnu_Sommaire: an error reached the host: Action "
                          "refusée sur « Mnu_Sommaire »"));
    EXPECT_EQ(outcome("rightclick Txt_Entite\nmenu Mnu_Sommaire\nexpect error"), "passed");
    EXPECT_EQ(chosen, 1);
}

TEST_F(ScriptRunnerTest, AnExpectationNotMetFailsItsLineWithWhatWasExpectedAndFound) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"expect Txt_Entite.Text abc",
         "t.script:1: expect Txt_Entite.Text abc: "
         "expected \"abc\", got \"\""},
        {"expect Cdr_RubHeures.Enabled True", "expected \"True\", got \"False\""},
        {"expect Lst_Codes.Visible True", "expected \"True\", got \"False\""},
        {"expect Txt_Entite.Focused True", "expected \"True\", got \"False\""},
        {"expect Cbo_Entite.ListIndex 0", "expected \"0\", got \"-1\""},
        {"expect Cbo_Entite.ListCount 1", "expected \"1\", got \"0\""},
        {"expect Cbo_Entite.List(0) x", "Cbo_Entite has no item 0 (ListCount 0)"},
        {"expect msgbox Bonjour", "expected \"Bonjour\", got none"},
        {"expect W_Sortir True", "expected \"True\", got \"False\""},
        {"expect closed True", "expected \"True\", got \"False\""},
        {"expect record TPSPARAMBASCUL 001 a^b", "expected \"a^b\", got none"},
        {"expect record TPSPARAMBASCUL 002 none", "expected none, got \"a^b\""},
        {"expect record ABSENT 001 none", "the record cannot be read: "},
    };
    for (const auto& [script, failure] : cases)
        EXPECT_THAT(outcome(script), HasSubstr(failure)) << script;
    EXPECT_EQ(outcome("expect record TPSPARAMBASCUL 002 a^b\n"
                      "expect record TPSPARAMBASCUL 001 none\n"
                      "expect Cache(4).Enabled True\n"),
              "passed");
}

TEST_F(ScriptRunnerTest, AWidgetMustExistAndBeOfTheKindTheStatementNeeds) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"focus Cache", "the screen has no widget Cache"},
        {"expect Cache(9).Visible True", "the screen has no widget Cache(9)"},
        {"click Txt_Entite", "Txt_Entite is a textbox, not a button"},
        {"type Cmd_Ok x", "Cmd_Ok is a button, not a text or combo box"},
        {"pick Lst_Detail 0", "Lst_Detail is a listbox, not a combo box"},
        {"select Cbo_Entite 0", "Cbo_Entite is a combobox, not a list box"},
        {"menu Cmd_Ok", "Cmd_Ok is a button, not a menu entry"},
        {"expect Cmd_Ok.Text OK", "Cmd_Ok is a button, not a text or combo box"},
        {"expect Cmd_Ok.ListCount 0", "Cmd_Ok is a button, not a combo or list box"},
        {"expect Mnu_Aide.Focused False", "Mnu_Aide is a menu, not a widget"},
    };
    for (const auto& [script, failure] : cases) {
        EXPECT_EQ(outcome(script + "\nexpect error"), "t.script:1: " + script + ": " + failure);
    }
}

TEST_F(ScriptRunnerTest, AnErrorReachingTheHostFailsItsLineUnlessTheNextLinesExpectIt) {
    control.Cmd_Ok.onClick = [] { raiseError("Fichier absent"); };
    EXPECT_EQ(outcome("click Cmd_Ok\ndump"),
              "t.script:1: click Cmd_Ok: an error reached the host: Fichier absent");
    EXPECT_EQ(out.str(), "");  // the run stopped before the dump
    EXPECT_EQ(outcome("click Cmd_Ok"),
              "t.script:1: click Cmd_Ok: an error reached the host: Fichier absent");
    EXPECT_EQ(outcome("click Cmd_Ok\nexpect error \"Fichier absent\""), "passed");
    EXPECT_EQ(outcome("click Cmd_Ok\nexpect error"), "passed");
    EXPECT_EQ(outcome("click Cmd_Ok\nexpect error Autre"),
              "t.script:2: expect error Autre: expected the error \"Autre\", got \"Fichier "
              "absent\"");
    EXPECT_EQ(outcome("click Cmd_Ok\nclick Cmd_Ok\nexpect error"),
              "t.script:1: click Cmd_Ok: an error reached the host: Fichier absent");
    EXPECT_EQ(outcome("click Cmd_Ok\nexpect error\nexpect error"),
              "t.script:3: expect error: expected an error, but none reached the host");
    // A refused action is an error of its line too.
    EXPECT_THAT(outcome("click Cmd_Ajouter"),
                HasSubstr("an error reached the host: Action refusée sur « Cmd_Ajouter »"));
    EXPECT_EQ(outcome("click Cmd_Ajouter\nexpect error"), "passed");
}

TEST_F(ScriptRunnerTest, TypingStopsAtTheFirstKeyThatRaisesAnError) {
    control.Txt_Entite.onChange = [&] {
        if (control.Txt_Entite.Text() == "ab") raiseError("Code refusé");
    };
    EXPECT_EQ(outcome("type Txt_Entite abcd\nexpect error\nexpect Txt_Entite.Text ab"), "passed");
}

TEST_F(ScriptRunnerTest, StartUpErrorsAreTakenByTheFirstLinesOrFailTheStartUp) {
    runner.reportError(platform::ComponentError(1, "Fichier TPSPARAMBASCUL absent"));
    EXPECT_EQ(outcome("expect error \"Fichier TPSPARAMBASCUL absent\"\ndump"), "passed");
    runner.reportError(platform::ComponentError(1, "Fichier TPSPARAMBASCUL absent"));
    EXPECT_EQ(outcome("dump"),
              "t.script: start-up: an error reached the host: Fichier TPSPARAMBASCUL absent");
    runner.reportError(platform::ComponentError(1, "Classe non enregistrée"));
    EXPECT_EQ(outcome("expect error\nexpect closed False", nullptr),
              "t.script:2: expect closed False: there is no control: it could not be created");
}

TEST_F(ScriptRunnerTest, MessageBoxesTakeTheQueuedAnswersAndAreRemembered) {
    toolkit::MsgAnswer answer = toolkit::MsgAnswer::Ok;
    control.Cmd_Sortir.onClick = [&] {
        answer = control.MsgBox({"Voulez-vous enregistrer les modifications ?", "Message QUORVEL",
                                 toolkit::MsgIcon::Question, toolkit::MsgButtons::YesNoCancel});
    };
    EXPECT_EQ(outcome("answer No\n"
                      "click Cmd_Sortir\n"
                      "expect msgbox \"Voulez-vous enregistrer les modifications ?\"\n"
                      "expect msgbox none\n"),
              "passed");
    EXPECT_EQ(answer, toolkit::MsgAnswer::No);
    EXPECT_THAT(out.str(), HasSubstr("| Voulez-vous enregistrer les modifications ? -> No\n"));
    EXPECT_EQ(outcome("click Cmd_Sortir"),
              "t.script:1: click Cmd_Sortir: an error reached the host: no answer queued for the "
              "message box \"Voulez-vous enregistrer les modifications ?\"");
    EXPECT_EQ(outcome("dump\nanswer Yes\ndump"),
              "t.script:2: answer Yes: no message box took this answer");
}

TEST_F(ScriptRunnerTest, OnceTheWindowIsUnloadedExpectationsReadTheLastStateAndActionsFail) {
    control.Cmd_Sortir.onClick = [&] {
        control.leaving = true;
        control.Parent().Unload();
    };
    EXPECT_EQ(outcome("expect closed False\n"
                      "click Cmd_Sortir\n"
                      "expect closed True\n"
                      "expect W_Sortir True\n"
                      "expect Cmd_Sortir.Focused True\n"
                      "click Cmd_Sortir\n"),
              "t.script:6: click Cmd_Sortir: the window is closed");
}

TEST_F(ScriptRunnerTest, DumpPrintsTheWholeScreenState) {
    control.Txt_Entite.SetText("007");
    EXPECT_EQ(outcome("dump"), "passed");
    EXPECT_EQ(out.str(), toolkit::dumpState(control));
    EXPECT_THAT(out.str(), HasSubstr("Txt_Entite textbox enabled=True visible=True text=\"007\""));
}

}  // namespace
}  // namespace host
