// The runner over a screen of its own: the settings screen's widgets on a surface, without the
// control's behaviour; the handlers wired here raise what the statements need. The scenarios play
// the ordinary statements on the real control; these tests pin what the language itself says:
// where keys go, which errors a line must expect, and how each failure reads.
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "control/ControleOstrevan.h"
#include "host/ScriptRunner.h"
#include "mvdb/TestDatabase.h"
#include "platform/ComponentError.h"
#include "screen/Screen.h"

namespace host {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

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

// Txt_Entite types 7 for a, and refuses a text ending in y; Cmd_Annuler fails; Cmd_Sortir asks a
// question, then closes the window; a right click on the surface shows the help menu.
class ScriptRunnerTest : public mvdb::testing::TestDatabase {
protected:
    ScriptRunnerTest() : database(mvdb::Database::Create(path())) {
        put(database, "TPSPARAMBASCUL", "002", "a^b");
        control.setMessageService(&messages);
        control.setErrorHandler([this](const std::exception& error) { runner.reportError(error); });
        control.Txt_Entite.onKeyPress = [](toolkit::KeyCode& key) {
            if (key == 'a') key = '7';
        };
        control.Txt_Entite.onChange = [this] {
            events.push_back(control.Txt_Entite.Text());
            if (control.Txt_Entite.Text().ends_with('y')) raiseError("Code refusé");
        };
        control.Txt_Entite.onLostFocus = [this] { events.push_back("LostFocus"); };
        control.Cmd_Ok.onClick = [this] { events.push_back("Click"); };
        control.Cmd_Annuler.onClick = [] { raiseError("Fichier absent"); };
        control.Cmd_Sortir.onClick = [this] {
            control.MsgBox({"Voulez-vous enregistrer les modifications ?", "Message QUORVEL",
                            toolkit::MsgIcon::Question, toolkit::MsgButtons::YesNoCancel});
            control.leaving = true;
            control.Parent().Unload();
        };
        control.onMouseDown = [this](std::int16_t& button, std::int16_t&, float&, float&) {
            if (button == 2) control.PopupMenu(control.Mnu_Aide);
        };
        control.Mnu_Sommaire.onClick = [this] { events.push_back("Sommaire"); };
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
    std::vector<std::string> events;
};

TEST_F(ScriptRunnerTest, KeysGoOneByOneThroughKeyPressAtTheEndOfTheTextAndActionsTakeTheFocus) {
    control.Txt_Entite.SetText("0");  // the caret stands at the start
    events.clear();
    EXPECT_EQ(outcome("type Txt_Entite 0a\n"
                      "key Txt_Entite Backspace\n"
                      "key Txt_Entite 5\n"
                      "expect Txt_Entite.Text 005\n"
                      "key Txt_Entite Tab\n"
                      "expect Cbo_Entite.Focused True\n"
                      "focus Txt_Entite\n"
                      "key Cmd_Ok Enter\n"
                      "expect Cmd_Ok.Focused True\n"
                      "click Cmd_Ok\n"),
              "passed");
    EXPECT_THAT(events,
                ElementsAre("00", "007", "00", "005", "LostFocus", "LostFocus", "Click", "Click"));
    // Typing stops at the first key whose action fails.
    EXPECT_EQ(outcome("type Txt_Entite xyz\nexpect error\nexpect Txt_Entite.Text 005xy"), "passed");
}

TEST_F(ScriptRunnerTest, AnExpectationNotMetFailsItsLineWithWhatWasExpectedAndFound) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"expect Txt_Entite.Text abc",
         "t.script:1: expect Txt_Entite.Text abc : attendu « abc », obtenu «  »"},
        {"expect Lst_Codes.Visible True", "attendu « True », obtenu « False »"},
        {"expect Txt_Entite.Focused True", "attendu « True », obtenu « False »"},
        {"expect Cbo_Entite.ListIndex 0", "attendu « 0 », obtenu « -1 »"},
        {"expect Cbo_Entite.List(0) x", "Cbo_Entite n'a pas d'élément 0 (ListCount 0)"},
        {"expect msgbox Bonjour", "attendu « Bonjour », obtenu none"},
        {"expect record TPSPARAMBASCUL 001 a^b", "attendu « a^b », obtenu none"},
        {"expect record TPSPARAMBASCUL 002 none", "attendu none, obtenu « a^b »"},
        {"expect record ABSENT 001 none", "l'enregistrement ne peut pas être lu : "},
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
        {"focus Cache", "l'écran n'a pas de widget Cache"},
        {"expect Cache(9).Visible True", "l'écran n'a pas de widget Cache(9)"},
        {"click Txt_Entite", "Txt_Entite est un textbox, pas un bouton"},
        {"type Cmd_Ok x", "Cmd_Ok est un button, pas une zone de texte ou une liste modifiable"},
        {"pick Lst_Detail 0", "Lst_Detail est un listbox, pas une liste modifiable"},
        {"select Cbo_Entite 0", "Cbo_Entite est un combobox, pas une liste"},
        {"menu Cmd_Ok", "Cmd_Ok est un button, pas une entrée de menu"},
        {"expect Cmd_Ok.Text OK",
         "Cmd_Ok est un button, pas une zone de texte ou une liste modifiable"},
        {"expect Cmd_Ok.ListCount 0",
         "Cmd_Ok est un button, pas une liste modifiable ni une liste"},
        {"expect Mnu_Aide.Focused False", "Mnu_Aide est un menu, pas un widget"},
    };
    for (const auto& [script, failure] : cases)
        EXPECT_EQ(outcome(script + "\nexpect error"), "t.script:1: " + script + " : " + failure);
}

TEST_F(ScriptRunnerTest, AnErrorReachingTheHostFailsItsLineUnlessTheNextLineExpectsIt) {
    const std::string raised = "t.script:1: click Cmd_Annuler : une erreur a atteint l'hôte : ";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"click Cmd_Annuler\ndump", raised + "Fichier absent"},
        {"click Cmd_Annuler\nexpect error \"Fichier absent\"", "passed"},
        {"click Cmd_Annuler\nexpect error", "passed"},
        {"click Cmd_Annuler\nexpect error Autre",
         "t.script:2: expect error Autre : attendu l'erreur « Autre », obtenu « Fichier absent »"},
        {"click Cmd_Annuler\nclick Cmd_Annuler\nexpect error", raised + "Fichier absent"},
        {"click Cmd_Annuler\nexpect error\nexpect error",
         "t.script:3: expect error : une erreur était attendue, mais aucune n'a atteint l'hôte"},
        // A refused action is an error of its line too: a disabled button, an item out of range,
        // a menu that is not shown (a right click on a child does not show it).
        {"click Cmd_Ajouter",
         "t.script:1: click Cmd_Ajouter : une erreur a atteint l'hôte : Action refusée sur « "
         "Cmd_Ajouter »"},
        {"pick Cbo_Entite 0\nexpect error", "passed"},
        {"rightclick Txt_Entite\nmenu Mnu_Sommaire\nexpect error", "passed"},
        {"rightclick\nmenu Mnu_Sommaire", "passed"},
    };
    for (const auto& [script, expected] : cases)
        EXPECT_THAT(outcome(script), StartsWith(expected)) << script;
    EXPECT_EQ(out.str(), "") << "the first run stopped before its dump";
    EXPECT_THAT(events, Contains("Sommaire").Times(1));
}

// A box without an answer fails its line; once the window is unloaded, expectations read its last
// state and actions fail; without a control, every line after the start-up error fails.
TEST_F(ScriptRunnerTest, TheLinesAfterABoxWithoutAnswerAnUnloadOrNoControlFailAsTheirOwn) {
    EXPECT_EQ(
        outcome("click Cmd_Sortir"),
        "t.script:1: click Cmd_Sortir : une erreur a atteint l'hôte : aucune réponse attendue pour "
        "la boîte de message « Voulez-vous enregistrer les modifications ? »");
    EXPECT_EQ(outcome("expect closed False\n"
                      "answer Yes\n"
                      "click Cmd_Sortir\n"
                      "expect closed True\n"
                      "expect W_Sortir True\n"
                      "expect Cmd_Sortir.Focused True\n"
                      "click Cmd_Sortir\n"),
              "t.script:7: click Cmd_Sortir : la fenêtre est fermée");
    runner.reportError(platform::ComponentError(1, "Classe non enregistrée"));
    EXPECT_EQ(
        outcome("expect error\nexpect closed False", nullptr),
        "t.script:2: expect closed False : il n'y a pas de contrôle : il n'a pas pu être créé");
}

// The state as it is at the line, from the first widget in tab order to the last menu entry.
TEST_F(ScriptRunnerTest, DumpPrintsTheWholeScreenState) {
    control.Txt_Entite.SetText("007");
    EXPECT_EQ(outcome("dump"), "passed");
    EXPECT_THAT(out.str(),
                StartsWith("Txt_Entite textbox enabled=True visible=True text=\"007\"\n"));
    EXPECT_THAT(out.str(), EndsWith("\nMnu_Sommaire menu enabled=True visible=True "
                                    "caption=\"Aide_QUORVEL\"\n"));
}

}  // namespace
}  // namespace host
