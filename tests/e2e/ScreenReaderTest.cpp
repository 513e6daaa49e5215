// A blind clerk at the settings screen, with the keyboard alone and a screen reader that listens
// on the real accessibility bus: he opens entity 007 by its code, reaches its lines with the
// arrows, adds a line by its codes, opens one with Enter and changes it by a code and a pick in a
// rubric's list, deletes one answering the question, opens the help, is asked on leaving and stays
// (Escape), validates, and closes the window, the record checked before and after. At each step
// the reader must announce where the focus went (the object's role, name, description, value and
// states; a line by its rubrics' codes and whole labels), each window and message box that comes
// up, and nothing else; once the lines are listed, the window reads, object by object, as the
// screen names its widgets, decorations left out. Without a display the host ends with status 3.
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "e2e/Desktop.h"
#include "e2e/ScreenReader.h"
#include "support/Process.h"

namespace {

using namespace std::chrono_literals;

const std::string kTitle = "Paramètres de basculement du planning en saisie d'actvité";
const std::string kLines = "Lignes de l'entité";

std::string said(const std::string& kind, const std::string& role, const std::string& name,
                 const std::string& description, const std::string& value,
                 const std::string& states) {
    return kind + " | " + role + " | " + name + " | " + description + " | " + value + " | " +
           states;
}

// What a focused widget of each kind announces.
std::string text(const std::string& name, const std::string& value) {
    return said("focus", "text", name, "", value, "editable focusable focused");
}
std::string combo(const std::string& name, const std::string& value) {
    return said("focus", "combo box", name, "", value, "editable expandable focusable focused");
}
std::string button(const std::string& name, const std::string& description = "") {
    return said("focus", "push button", name, description, "", "focusable focused");
}
std::string lines(int count) {
    return said("focus", "list", kLines, "", std::to_string(count), "focusable focused");
}
std::string line(const std::string& spoken) {
    return said("focus", "list item", spoken, "", "", "focusable focused selected");
}
const std::string kSave = button("OK", "Enregistrer les lignes de l'entité");
const std::string kLineOk = button("OK", "Valider la ligne");

// The lines of entity 007 in the sample database as the reader speaks them.
const std::string kLine1 =
    "Heures semaine 101 Heures normales, Heures dimanche 104 Heures dimanche majorées 25 %, "
    "Heures Fériées Travaillées 106 Heures fériées travaillées, Heures fériées 108 Heures fériées "
    "chômées payées, Heures 1er Mai 109 Heures 1er mai";
const std::string kLine2 =
    "Heures semaine 111 Heures de nuit, Heures dimanche 105 Heures dimanche majorées 45 %, "
    "Heures Fériées Travaillées 107 Heures fériées travaillées majorées 100 %, Heures fériées 125 "
    "Heures fériées non travaillées, Heures 1er Mai 110 Heures 1er mai travaillées majorées 100 %";
const std::string kLine3 = "Heures semaine 120 Heures de déplacement entre deux interventions";
const std::string kLine4 = "Heures semaine 007 Heures d'évaluation à domicile";
// The headings of a line's five rubrics.
const std::vector<std::string> kHeadings = {"Heures semaine", "Heures dimanche",
                                            "Heures Fériées Travaillées", "Heures fériées",
                                            "Heures 1er Mai"};

// The list of entities in a walk while entity 007 is open: its name shown, no item selected.
const std::string kEntityList =
    "    combo box | Entité juridique, nom |  | Domicile Plus Cassignac | editable expandable "
    "focusable unavailable | 12 items, selected none, actions ShowMenu Press";

// The window as the reader walks it once entity 007 is open and its first line selected: every
// widget named from the screen, the decorations and the hidden code list left out, the lines read
// as their rubrics, the combo boxes with their items, selection and actions; then the walk's end.
std::vector<std::string> walkOf007(const std::string& windowTitle) {
    const std::string closedList = "32 items, selected none, actions ShowMenu Press";
    std::vector<std::string> walked = {
        "frame | " + windowTitle + " |  |  | ",
        "  filler |  |  |  | ",
        "    label | Entité juridique |  |  | ",
        "    text | Entité juridique, code |  | 007 | editable focusable unavailable",
        kEntityList,
        "    panel | Rubriques de saisie |  |  | ",
        "      label | Heures semaine |  |  | ",
        "      label | Heures dimanche |  |  | ",
        "      label | Heures Fériées Travaillées |  |  | ",
        "      label | Heures fériées |  |  | ",
        "      label | Heures 1er Mai |  |  | ",
        "      list | " + kLines + " |  | 4 | focusable",
        "        list item | " + kLine1 + " |  |  | focusable focused selected",
        "        list item | " + kLine2 + " |  |  | focusable",
        "        list item | " + kLine3 + " |  |  | focusable",
        "        list item | " + kLine4 + " |  |  | focusable",
    };
    for (const std::string& heading : kHeadings) {
        walked.push_back("      text | " + heading +
                         ", code |  |  | editable focusable unavailable");
        walked.push_back("      combo box | " + heading +
                         ", rubrique |  |  | editable expandable focusable unavailable | " +
                         closedList);
    }
    walked.insert(walked.end(),
                  {
                      "      push button | Ajouter |  |  | focusable",
                      "      push button | Supprimer |  |  | focusable unavailable",
                      "      push button | OK | Valider la ligne |  | focusable unavailable",
                      "      push button | Annuler | Abandonner la saisie de la ligne |  | "
                      "focusable unavailable",
                      "    push button | OK | Enregistrer les lignes de l'entité |  | focusable",
                      "    push button | Annuler | Abandonner les modifications de l'entité |  | "
                      "focusable",
                      "    push button | Sortir |  |  | focusable",
                      "end",
                  });
    return walked;
}

// Entity 007's record in the sample database: its attributes before its lines.
const std::string kHead007 =
    "28/11/2024^PAIE03^Ajout des déplacements et des évaluations^15/09/2021^";

// The host on a virtual display of the test's own over a fresh sample database, speaking to the
// reader; skipped where the tools of a real window or of a screen reader are not installed.
class ScreenReaderTest : public ::testing::Test {
protected:
    // Keys, as Desktop::press takes them, and what the reader announces after them. No keys bring
    // the host's window to the front; "answer KEY" answers the message box shown with that key.
    struct Step {
        std::string keys;
        std::vector<std::string> heard;
    };

    void SetUp() override {
        const std::string missing =
            test_support::run({"sh", "-c",
                               "for tool in Xvfb xdotool dbus-daemon "
                               "/usr/libexec/at-spi-bus-launcher; do command -v $tool >/dev/null "
                               "|| printf '%s ' $tool; done; /usr/bin/python3 -c 'import pyatspi' "
                               "2>/dev/null || printf python3-pyatspi"})
                .out;
        if (!missing.empty()) GTEST_SKIP() << "the test needs " << missing << ", not installed";
        reader = std::make_unique<e2e::ScreenReader>();
        desktop = std::make_unique<e2e::Desktop>(
            folder.path(), std::vector<std::string>{reader->sessionVariable()});
    }

    void play(const std::vector<Step>& steps) {
        for (const auto& [keys, heard] : steps) {
            if (keys.empty()) {
                desktop->showWindow();
            } else if (keys.starts_with("answer ")) {
                desktop->answerMessageBox(keys.substr(7));
            } else {
                desktop->press(keys);
            }
            EXPECT_EQ(reader->heardUntil(heard.back()), heard) << keys;
        }
    }

    // The host's window: the screen's title, then the database it shows.
    std::string windowTitle() const { return kTitle + " — " + desktop->database().string(); }

    test_support::TestFolder folder{"e2e"};
    std::unique_ptr<e2e::ScreenReader> reader;  // before the desktop, whose host speaks to it
    std::unique_ptr<e2e::Desktop> desktop;
};

TEST(HostWithoutDisplay, EndsWithStatus3) {
    const test_support::Outcome ended =
        test_support::run({"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
                           OSTREVAN_HOST, "--db", "sample.mvdb"});
    EXPECT_EQ(3, ended.status);
}

TEST_F(ScreenReaderTest, ABlindClerkOpensAnEntityEditsItsLinesAsksForHelpValidatesAndLeaves) {
    const std::string mainWindow = said("window", "frame", windowTitle(), "", "", "");
    play({
        {"", {mainWindow, text("Entité juridique, code", "")}},
        {"0 0 7 Down", {lines(4), line(kLine1)}},
    });
    EXPECT_EQ(reader->walk(), walkOf007(windowTitle()));

    // A fifth line by its codes: "Ajouter" puts the focus on the weekday list, before which comes
    // its code box; each code names its rubric in the list after it ("7" completed to 007).
    std::vector<Step> added = {
        {"Tab space", {button("Ajouter"), combo("Heures semaine, rubrique", "")}}};
    const char* codes[][2] = {{"1 2 3", "Heures de coordination"},
                              {"1 0 4", "Heures dimanche majorées 25 %"},
                              {"1 0 7", "Heures fériées travaillées majorées 100 %"},
                              {"1 0 8", "Heures fériées chômées payées"},
                              {"7", "Heures d'évaluation à domicile"}};
    for (std::size_t i = 0; i < kHeadings.size(); ++i) {
        added.push_back(
            {(i == 0 ? "shift+Tab " : "Tab ") + std::string(codes[i][0]) + " Tab",
             {text(kHeadings[i] + ", code", ""), combo(kHeadings[i] + ", rubrique", codes[i][1])}});
    }
    play(added);

    // The line added by its OK; the second line opened with Enter and changed: its Sunday code 105
    // becomes 103, erased whole by a Backspace, and its holidays' rubric 125 the next one in its
    // list opened by Alt+Down.
    play({
        {"Tab Return", {kLineOk, kSave}},
        {"shift+Tab shift+Tab Down Return",
         {button("Ajouter"), lines(5), line(kLine2), text("Heures semaine, code", "111")}},
        {"Tab Tab End BackSpace 1 0 3 Tab",
         {combo("Heures semaine, rubrique", "Heures de nuit"), text("Heures dimanche, code", "105"),
          combo("Heures dimanche, rubrique", "Heures dimanche")}},
        {"Tab Tab Tab Tab",
         {text("Heures Fériées Travaillées, code", "107"),
          combo("Heures Fériées Travaillées, rubrique",
                "Heures fériées travaillées majorées 100 %"),
          text("Heures fériées, code", "125"),
          combo("Heures fériées, rubrique", "Heures fériées non travaillées")}},
    });
    // The pop-up is heard as it comes, up to the rubric picked; the record says what was picked.
    desktop->press("alt+Down Down Return");
    reader->heardUntil(said("focus", "list item", "Heures fériées travaillées", "", "",
                            "focusable focused selected"));
    play({
        {"Tab Tab Tab Tab",
         {text("Heures 1er Mai, code", "110"),
          combo("Heures 1er Mai, rubrique", "Heures 1er mai travaillées majorées 100 %"),
          button("Supprimer"), kLineOk}},
        {"Return", {kSave}},
    });

    // The first line deleted, the question answered Yes with Enter.
    play({
        {"shift+Tab shift+Tab Up Return",
         {button("Ajouter"), lines(5), line(kLine1), text("Heures semaine, code", "101")}},
        {"shift+Tab shift+Tab shift+Tab space",
         {button("Annuler", "Abandonner la saisie de la ligne"), kLineOk, button("Supprimer"),
          said("alert", "alert", "Message Quorvel", "",
               "Etes vous sur(e) de vouloir supprimer cette ligne ?", ""),
          button("Oui")}},
        {"answer Return", {mainWindow, kSave}},
    });

    // The help, by the keyboard: the menu key opens the menu, Escape closes it; Shift+F10 too.
    const std::string menu = said("menu", "popup menu", "Aide", "", "", "");
    const std::string entry = said("focus", "menu item", "Aide_QUORVEL", "", "", "focused");
    play({
        {"Menu Down Escape", {menu, entry, kSave}},
        {"shift+F10 Down Return",
         {menu, entry, kSave, said("window", "label", kTitle, "", "", "focusable")}},
        {"", {mainWindow, kSave}},
    });

    // Leaving asks whether to save; Escape answers Annuler and the screen stays, nothing written.
    const std::string cancel = button("Annuler", "Abandonner les modifications de l'entité");
    play({
        {"Tab Tab space",
         {cancel, button("Sortir"),
          said("alert", "alert", "Message QUORVEL", "",
               "Voulez-vous enregistrer les modifications ?", ""),
          button("Oui")}},
        {"answer Escape", {mainWindow, button("Sortir")}},
    });
    EXPECT_EQ(kHead007 + "101]111]120]007^104]105]]^109]110]]^106]107]]^108]125]]",
              desktop->record("TPSPARAMBASCUL", "007"));
    play({{"shift+Tab shift+Tab Return", {cancel, kSave, text("Entité juridique, code", "")}}});
    const std::string saved = kHead007 + "111]120]007]123^103]]]104^110]]]007^107]]]107^106]]]108";
    EXPECT_EQ(saved, desktop->record("TPSPARAMBASCUL", "007", saved));

    // The window closed as the window manager does ends the host, though the help stays open.
    desktop->closeWindow();
    EXPECT_EQ(0, desktop->hostEnded(30s));
}

}  // namespace
