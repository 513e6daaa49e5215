// A blind clerk at the settings screen, with the keyboard alone and a screen reader that listens
// on the real accessibility bus: he opens entity 007 by its code, walks its lines with the arrows,
// adds a line by its codes, changes one by a code and a pick in a rubric's list, deletes one
// answering the question, opens the help, is asked on leaving and stays (Escape), validates and
// leaves, the record checked before and after. At each step the reader must announce where the
// focus went (the object's role, name, description, value and states; a line by its rubrics' codes
// and whole labels), each window and message box that comes up, and nothing else; once the lines
// are listed, the window reads, object by object, as the screen names its widgets, decorations left
// out.
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e/DesktopTest.h"
#include "e2e/ScreenReader.h"

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

// The lines of entity 007 in the sample database, and the line added, as the reader speaks them.
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
const std::string kLine5 =
    "Heures semaine 123 Heures de coordination, Heures dimanche 104 Heures dimanche majorées "
    "25 %, Heures Fériées Travaillées 107 Heures fériées travaillées majorées 100 %, Heures "
    "fériées 108 Heures fériées chômées payées, Heures 1er Mai 007 Heures d'évaluation à domicile";

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
// as their rubrics, the combo boxes with their items, selection and actions.
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
                  });
    return walked;
}

class ScreenReaderTest : public e2e::DesktopTest {
protected:
    struct Step {
        std::string what;
        std::function<void()> act;
        std::vector<std::string> heard;
    };

    void SetUp() override {
        const std::string missing = e2e::ScreenReader::missingTools();
        if (!missing.empty())
            GTEST_SKIP() << "a screen reader needs " << missing << ", not installed";
        reader = std::make_unique<e2e::ScreenReader>();
        DesktopTest::SetUp();
    }

    std::vector<std::string> hostEnvironment() const override {
        return {reader->sessionVariable()};
    }

    void play(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            step.act();
            EXPECT_EQ(reader->heardUntil(step.heard.back()), step.heard) << step.what;
        }
    }
    std::function<void()> keys(std::vector<std::string> names) {
        return [this, names] { desktop->press(names); };
    }
    std::function<void()> typed(std::string typedText) {
        return [this, typedText] { desktop->type(typedText); };
    }
    template <class... Acts>
    static std::function<void()> then(Acts... acts) {
        return [acts...] { (acts(), ...); };
    }

    // The host's window: the screen's title, then the database it shows.
    std::string windowTitle() const { return kTitle + " — " + desktop->database().string(); }

    std::unique_ptr<e2e::ScreenReader> reader;  // before the desktop, whose host speaks to it
};

TEST_F(ScreenReaderTest, ABlindClerkOpensAnEntityEditsItsLinesAsksForHelpValidatesAndLeaves) {
    const std::string mainWindow = said("window", "frame", windowTitle(), "", "", "");
    play({
        {"the window shown",
         [this] { desktop->showWindow(); },
         {mainWindow, text("Entité juridique, code", "")}},
        {"entity 007 opened by its code", typed("007"), {lines(4)}},
        {"down the lines",
         keys({"Down", "Down", "Down", "Down"}),
         {line(kLine1), line(kLine2), line(kLine3), line(kLine4)}},
        {"back to the first", keys({"Up", "Up", "Up"}), {line(kLine3), line(kLine2), line(kLine1)}},
    });
    EXPECT_EQ(reader->walk(), walkOf007(windowTitle()));

    // A fifth line by its codes: "Ajouter" puts the focus on the weekday list, before which comes
    // its code box; each code names its rubric in the list after it ("7" completed to 007).
    std::vector<Step> added = {
        {"Ajouter reached", keys({"Tab"}), {button("Ajouter")}},
        {"Ajouter pressed", keys({"space"}), {combo("Heures semaine, rubrique", "")}},
        {"the weekday code", keys({"shift+Tab"}), {text("Heures semaine, code", "")}},
    };
    const char* codes[][2] = {{"123", "Heures de coordination"},
                              {"104", "Heures dimanche majorées 25 %"},
                              {"107", "Heures fériées travaillées majorées 100 %"},
                              {"108", "Heures fériées chômées payées"},
                              {"7", "Heures d'évaluation à domicile"}};
    for (std::size_t i = 0; i < kHeadings.size(); ++i) {
        if (i > 0)
            added.push_back({kHeadings[i], keys({"Tab"}), {text(kHeadings[i] + ", code", "")}});
        added.push_back({codes[i][0],
                         then(typed(codes[i][0]), keys({"Tab"})),
                         {combo(kHeadings[i] + ", rubrique", codes[i][1])}});
    }
    play(added);
    play({
        {"the line's OK", keys({"Tab"}), {kLineOk}},
        {"the line added", keys({"Return"}), {kSave}},
        {"back to the lines", keys({"shift+Tab", "shift+Tab"}), {button("Ajouter"), lines(5)}},
        {"down to the line added",
         keys({"Down", "Down", "Down", "Down"}),
         {line(kLine2), line(kLine3), line(kLine4), line(kLine5)}},
    });

    // The second line changed: its Sunday code 105 becomes 103, erased whole by a Backspace, and
    // its holidays' rubric 125 the next one in the list, 106.
    play({
        {"up to the second line",
         keys({"Up", "Up", "Up"}),
         {line(kLine4), line(kLine3), line(kLine2)}},
        {"the line opened", keys({"Return"}), {text("Heures semaine, code", "111")}},
        {"to the Sunday code",
         keys({"Tab", "Tab"}),
         {combo("Heures semaine, rubrique", "Heures de nuit"),
          text("Heures dimanche, code", "105")}},
        {"103 typed",
         then(keys({"End", "BackSpace"}), typed("103"), keys({"Tab"})),
         {combo("Heures dimanche, rubrique", "Heures dimanche")}},
        {"to the holidays' list",
         keys(std::vector<std::string>(4, "Tab")),
         {text("Heures Fériées Travaillées, code", "107"),
          combo("Heures Fériées Travaillées, rubrique",
                "Heures fériées travaillées majorées 100 %"),
          text("Heures fériées, code", "125"),
          combo("Heures fériées, rubrique", "Heures fériées non travaillées")}},
        // The next rubric picked in its list, opened by Alt+Down: the toolkit's pop-up is heard
        // as it comes, up to the rubric picked; the record says what was picked.
        {"the next rubric picked, then to the line's OK",
         [this] {
             desktop->press({"alt+Down", "Down", "Return"});
             reader->heardUntil(said("focus", "list item", "Heures fériées travaillées", "", "",
                                     "focusable focused selected"));
             desktop->press(std::vector<std::string>(4, "Tab"));
         },
         {text("Heures 1er Mai, code", "110"),
          combo("Heures 1er Mai, rubrique", "Heures 1er mai travaillées majorées 100 %"),
          button("Supprimer"), kLineOk}},
        {"the line changed", keys({"Return"}), {kSave}},
    });

    // The first line deleted, the question answered Yes with Enter.
    play({
        {"back to the lines", keys({"shift+Tab", "shift+Tab"}), {button("Ajouter"), lines(5)}},
        {"up to the first line", keys({"Up"}), {line(kLine1)}},
        {"the line opened", keys({"Return"}), {text("Heures semaine, code", "101")}},
        {"back to Supprimer",
         keys({"shift+Tab", "shift+Tab", "shift+Tab"}),
         {button("Annuler", "Abandonner la saisie de la ligne"), kLineOk, button("Supprimer")}},
        {"the question",
         keys({"space"}),
         {said("alert", "alert", "Message Quorvel", "",
               "Etes vous sur(e) de vouloir supprimer cette ligne ?", ""),
          button("Oui")}},
        {"answered",
         [this] {
             desktop->answerMessageBox("Return");
             desktop->showWindow();
         },
         {mainWindow, kSave}},
    });

    // The help, by the keyboard: the menu key opens the menu, Escape closes it; Shift+F10 too.
    const std::string menu = said("menu", "popup menu", "Aide", "", "", "");
    const std::string entry = said("focus", "menu item", "Aide_QUORVEL", "", "", "focused");
    play({
        {"the menu key", keys({"Menu"}), {menu}},
        {"its entry", keys({"Down"}), {entry}},
        {"the menu closed", keys({"Escape"}), {kSave}},
        {"Shift+F10", keys({"shift+F10"}), {menu}},
        {"its entry again", keys({"Down"}), {entry}},
        {"the help shown",
         keys({"Return"}),
         {kSave, said("window", "label", kTitle, "", "", "focusable")}},
        {"back to the screen", [this] { desktop->showWindow(); }, {mainWindow, kSave}},
    });

    // Leaving asks whether to save; Escape answers Annuler and the screen stays, nothing written.
    const std::string cancel = button("Annuler", "Abandonner les modifications de l'entité");
    play({
        {"to Sortir", keys({"Tab", "Tab"}), {cancel, button("Sortir")}},
        {"the question",
         keys({"space"}),
         {said("alert", "alert", "Message QUORVEL", "",
               "Voulez-vous enregistrer les modifications ?", ""),
          button("Oui")}},
        {"answered Annuler",
         [this] {
             desktop->answerMessageBox("Escape");
             desktop->showWindow();
         },
         {mainWindow, button("Sortir")}},
        {"back to OK", keys({"shift+Tab", "shift+Tab"}), {cancel, kSave}},
    });
    EXPECT_EQ(e2e::kStored007, desktop->record("TPSPARAMBASCUL", "007"));

    // Validated, then left: nothing changed since, so the program ends.
    play({
        {"validated", keys({"Return"}), {text("Entité juridique, code", "")}},
        {"to Sortir", keys({"Tab", "Tab"}), {combo("Entité juridique, nom", ""), button("Sortir")}},
    });
    const std::string saved =
        e2e::kHead007 + "111]120]007]123^103]]]104^110]]]007^107]]]107^106]]]108";
    EXPECT_EQ(saved, desktop->record("TPSPARAMBASCUL", "007", saved));
    desktop->press({"Return"});
    EXPECT_EQ(0, desktop->hostEnded(30s));
}

}  // namespace
