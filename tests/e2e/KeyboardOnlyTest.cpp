// A person who uses no mouse at the settings screen in a real window, on the sample database: the
// keyboard alone reaches every widget it needs by Tab, opens entity 007, adds a line, opens one
// with Up, Down and Enter to change it and another to delete it, validates and leaves. The focus
// starts nowhere, and goes nowhere after a mode of the screen leaves the focused widget unusable:
// Tab then starts again from the first usable widget in tab order.
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e/DesktopTest.h"

namespace {

using namespace std::chrono_literals;

class KeyboardOnly : public e2e::DesktopTest {
protected:
    void tab(int times) { desktop->press(std::vector<std::string>(times, "Tab")); }
};

TEST_F(KeyboardOnly, AnEntityIsOpenedItsLinesEditedValidatedAndTheScreenLeft) {
    tab(1);  // Txt_Entite
    desktop->type("007");
    desktop->press({"Return"});

    // Entity 007 has four lines: 101;104;106;108;109, 111;105;107;125;110, 120 and 007 (weekday,
    // Sunday, worked and non-worked public holidays, May Day). A fifth by its codes: "Ajouter"
    // (after Lst_Detail) pressed with Space puts the focus on the weekday list, before which comes
    // its code box; a code box and its list follow each other.
    tab(2);
    desktop->press({"space", "shift+Tab"});
    for (const char* code : {"123", "104", "107", "108", "7"}) {
        desktop->type(code);
        tab(2);
    }
    desktop->press({"Return"});  // the line's "OK", after the May-Day list

    // The second line, reached with Down, opened with Enter: its Sunday code 105 becomes 103, the
    // code erased whole by a Backspace at its end. The line's "OK" comes after the five pairs
    // and "Supprimer".
    tab(1);
    desktop->press({"Down", "Down", "Return"});
    tab(3);
    desktop->press({"End", "BackSpace"});
    desktop->type("103");
    tab(9);
    desktop->press({"Return"});

    // The first line, reached with Up, opened and deleted: "Supprimer" comes after the five pairs,
    // and the question is answered Yes, its default button, with Enter.
    tab(1);
    desktop->press({"Up", "Return"});
    tab(11);
    desktop->press({"space"});
    desktop->answerMessageBox("Return");

    // Validated with the screen's "OK", after Lst_Detail and "Ajouter".
    tab(3);
    desktop->press({"Return"});
    const std::string saved =
        e2e::kHead007 + "111]120]007]123^103]]]104^110]]]007^107]]]107^125]]]108";
    EXPECT_EQ(saved, desktop->record("TPSPARAMBASCUL", "007", saved));

    // Validating closes the entity and puts the focus in its code box: "Sortir" comes after the
    // entity's list. Nothing changed since, so the program ends.
    tab(2);
    desktop->press({"Return"});
    EXPECT_EQ(0, desktop->hostEnded(30s));
}

}  // namespace
