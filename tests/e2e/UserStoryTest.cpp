// A user at the settings screen in a real window, on the sample database: entity 007 opened by its
// code, its lines edited with the keyboard and the mouse, validated, opened again, and the screen
// left with the question on the changes.
#include <chrono>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "e2e/DesktopTest.h"

namespace {

using namespace std::chrono_literals;

// Entity 007 of the sample database has four lines: 101;104;106;108;109, 111;105;107;125;110,
// 120 alone and 007 alone (weekday, Sunday, worked and non-worked public holidays, May Day).
const std::string kStored =
    e2e::kHead007 + "101]111]120]007^104]105]]^109]110]]^106]107]]^108]125]]";

class UserStory : public e2e::DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (IsSkipped()) return;
        openEntity007();
    }

    void openEntity007() {
        desktop->click("Txt_Entite");
        desktop->type("007");
        desktop->press({"Return"});
    }
};

TEST_F(UserStory, LinesEditedAreValidatedAndShownWhenTheEntityIsOpenedAgain) {
    // A line by its codes; the short May-Day code is completed when the box is left.
    desktop->click("Cmd_Ajouter");
    for (const auto& [box, code] : {std::pair{"Txt_RubNorm", "123"},
                                    {"Txt_RubDim", "104"},
                                    {"Txt_RubJF", "107"},
                                    {"Txt_RubJFNonTrav", "108"},
                                    {"Txt_Rub1Mai", "7"}}) {
        desktop->click(box);
        desktop->type(code);
    }
    desktop->press({"Tab"});
    desktop->click("Cmd_OkDetail");

    // A line by its labels: in the weekday list opened with the mouse, Down and Enter choose the
    // second rubric (109, « Heures 1er mai »); in the Sunday list, three Downs the third (110).
    desktop->click("Cmd_Ajouter");
    desktop->openDropDown("Cbo_RubNorm");
    desktop->press({"Down", "Return"});
    desktop->click("Cbo_RubDim");
    desktop->press({"Down", "Down", "Down"});
    desktop->click("Cmd_OkDetail");

    // The first line deleted, then the next one, now first, changed: Sunday 105 becomes 103, the
    // code erased whole by its first Backspace, then typed.
    desktop->doubleClickFirstLine("Lst_Detail");
    desktop->click("Cmd_Supprimer");
    desktop->answerMessageBox("Return");
    desktop->doubleClickFirstLine("Lst_Detail");
    EXPECT_EQ("105", desktop->copiedText("Txt_RubDim"));
    desktop->press({"BackSpace"});
    desktop->type("103");
    desktop->click("Cmd_OkDetail");

    desktop->click("Cmd_Ok");
    const std::string saved =
        e2e::kHead007 + "111]120]007]123]109^103]]]104]110^110]]]007]^107]]]107]^125]]]108]";
    EXPECT_EQ(saved, desktop->record("TPSPARAMBASCUL", "007", saved));

    // Opened again, its first line shows the changed codes in the line editor.
    openEntity007();
    desktop->doubleClickFirstLine("Lst_Detail");
    for (const auto& [box, code] : {std::pair{"Txt_RubNorm", "111"},
                                    {"Txt_RubDim", "103"},
                                    {"Txt_RubJF", "107"},
                                    {"Txt_RubJFNonTrav", "125"},
                                    {"Txt_Rub1Mai", "110"}}) {
        EXPECT_EQ(code, desktop->copiedText(box)) << box;
    }
    // Nothing changed since the validation: "Sortir" asks nothing and the program ends.
    desktop->click("Cmd_AnnulerDetail");
    desktop->click("Cmd_Sortir");
    EXPECT_EQ(0, desktop->hostEnded(30s));
    EXPECT_EQ(saved, desktop->record("TPSPARAMBASCUL", "007"));
}

TEST_F(UserStory, LeavingWithALineDeletedAsksWhetherToSave) {
    desktop->doubleClickFirstLine("Lst_Detail");
    desktop->click("Cmd_Supprimer");
    desktop->answerMessageBox("Return");

    // « Voulez-vous enregistrer les modifications ? » answered Annuler (Escape): the screen stays,
    // so that the question comes again; nothing is written.
    desktop->click("Cmd_Sortir");
    desktop->answerMessageBox("Escape");
    EXPECT_EQ(kStored, desktop->record("TPSPARAMBASCUL", "007"));

    // Answered Oui (the default button): the lines are saved and the program ends.
    desktop->click("Cmd_Sortir");
    desktop->answerMessageBox("Return");
    EXPECT_EQ(0, desktop->hostEnded(30s));
    EXPECT_EQ(e2e::kHead007 + "111]120]007^105]]^110]]^107]]^125]]",
              desktop->record("TPSPARAMBASCUL", "007"));
}

}  // namespace
