// The screen modes against their table, written once as data: what each mode procedure sets, and
// leaves as it was, of every control; what the clearing and the closing of the editor empty.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/toolkit/StateDump.h"
#include "screen/Screen.h"

namespace {

using toolkit::Control;

// The screen with its mode procedures in reach of the tests.
class ModeScreen : public screen::Screen {
public:
    using Screen::Activer_Ecran;
    using Screen::Fermer_Saisie_Ligne;
    using Screen::Ouvrir_Saisie_Ligne;
    using Screen::Screen;
    using Screen::Vider_Ecran;
};

enum Effect { On, Off, Kept };

// Rows name controls; a name stands for every control of that name (the four bars "Cache").
struct Row {
    std::vector<std::string> names;
    std::vector<Effect> effects;
};

// What each procedure sets: clearing, browsing, editing a new line, editing an existing line,
// closing the editor.
const std::vector<Row> kProcedures = {
    {{"Etq_Entite", "Mnu_Aide", "Mnu_Sommaire"}, {On, Kept, Kept, Kept, Kept}},
    {{"Txt_Entite", "Cbo_Entite"}, {On, Off, Kept, Kept, Kept}},
    {{"Cdr_RubHeures"}, {Off, On, Kept, Kept, Kept}},
    {{"Etq_RubNorm", "Etq_RubDim", "Etq_RubJF", "Etq_RubJFNonTrav", "Etq_Rub1Mai"},
     {Off, On, Kept, Kept, On}},
    {{"Txt_RubNorm", "Cbo_RubNorm", "Txt_RubDim", "Cbo_RubDim", "Txt_RubJF", "Cbo_RubJF",
      "Txt_RubJFNonTrav", "Cbo_RubJFNonTrav", "Txt_Rub1Mai", "Cbo_Rub1Mai"},
     {Off, Kept, On, On, Off}},
    {{"Lst_Detail", "Cmd_Ajouter", "Cmd_Ok", "Cmd_Annuler"}, {Off, On, Off, Off, On}},
    {{"Lst_Codes", "Cache"}, {Off, Kept, Kept, Kept, Kept}},
    {{"Cmd_Supprimer"}, {Off, Off, Kept, On, Off}},
    {{"Cmd_OkDetail", "Cmd_AnnulerDetail"}, {Off, Off, On, On, Off}},
    {{"Cmd_Sortir"}, {On, Kept, Off, Off, On}},
};

// The procedures, in the order of the table's columns.
const std::vector<std::function<void(ModeScreen&)>> kRun = {
    [](ModeScreen& screen) { screen.Vider_Ecran(); },
    [](ModeScreen& screen) { screen.Activer_Ecran(); },
    [](ModeScreen& screen) { screen.Ouvrir_Saisie_Ligne(true); },
    [](ModeScreen& screen) { screen.Ouvrir_Saisie_Ligne(false); },
    [](ModeScreen& screen) { screen.Fermer_Saisie_Ligne(); },
};

class ScreenModesTest : public ::testing::Test {
protected:
    std::vector<Control*> named(const std::string& name) const {
        std::vector<Control*> controls;
        for (Control* control : surface.Controls())
            if (control->Name() == name) controls.push_back(control);
        return controls;
    }

    // Checks every control against one column of the table; kept means as it was before.
    void expectColumn(std::size_t column, bool before) const {
        std::size_t checked = 0;
        for (const Row& row : kProcedures) {
            for (const std::string& name : row.names) {
                for (const Control* control : named(name)) {
                    const Effect effect = row.effects[column];
                    EXPECT_EQ(control->Enabled(), effect == Kept ? before : effect == On)
                        << name << " " << control->Index();
                    ++checked;
                }
            }
        }
        EXPECT_EQ(checked, surface.Controls().size()) << "every control has its row";
    }

    // Gives every widget something that a clearing would empty.
    void fill() {
        screen.Txt_Entite.SetText("007");
        for (toolkit::ComboBox* list :
             {&screen.Cbo_Entite, &screen.Cbo_RubNorm, &screen.Cbo_Rub1Mai}) {
            list->AddItem("Heures normales");
            list->SetListIndex(0);
        }
        for (const screen::RubricColumn& column : screen.rubricColumns())
            column.code.SetText("101");
        screen.Lst_Detail.AddItem("101-Heures normales");
        screen.Lst_Codes.AddItem("101;;;;");
        screen.Cache(5).SetText("|");
    }

    toolkit::Surface surface{screen::kDesignWidth, screen::kDesignHeight};
    ModeScreen screen{surface};
};

TEST_F(ScreenModesTest, EachProcedureSetsExactlyItsColumnAndLeavesTheRestAsItWas) {
    for (std::size_t procedure = 0; procedure < kRun.size(); ++procedure) {
        for (const bool before : {true, false}) {
            SCOPED_TRACE("procedure " + std::to_string(procedure) +
                         ", all enabled before: " + std::to_string(before));
            for (Control* control : surface.Controls())
                control->SetEnabled(before);
            kRun[procedure](screen);
            expectColumn(procedure, before);
        }
    }
}

TEST_F(ScreenModesTest, ClearingEmptiesByKindKeepingTheEntityAndClosingTheEditorTheSelections) {
    fill();
    screen.Vider_Ecran();
    EXPECT_EQ(screen.Txt_Entite.Text(), "007");
    EXPECT_EQ(screen.Cbo_Entite.ListIndex(), 0);
    EXPECT_EQ(screen.Cbo_Entite.Text(), "Heures normales");
    for (const screen::RubricColumn& column : screen.rubricColumns()) {
        EXPECT_EQ(column.code.Text(), "") << column.code.Name();
        EXPECT_EQ(column.list.ListIndex(), -1) << column.list.Name();
    }
    EXPECT_EQ(screen.Cbo_RubNorm.ListCount(), 1) << "the rubric lists keep their items";
    EXPECT_EQ(screen.Lst_Detail.ListCount(), 0);
    EXPECT_EQ(screen.Lst_Codes.ListCount(), 0);
    EXPECT_EQ(screen.Cache(5).Text(), "|");
    const std::string once = toolkit::dumpState(surface);
    screen.Vider_Ecran();
    EXPECT_EQ(toolkit::dumpState(surface), once) << "clearing twice is clearing once";

    // The other procedures empty nothing, but closing the editor removes the selections.
    fill();
    screen.Activer_Ecran();
    screen.Ouvrir_Saisie_Ligne(false);
    EXPECT_EQ(screen.Txt_RubDim.Text(), "101");
    EXPECT_EQ(screen.Cbo_Rub1Mai.ListIndex(), 0);
    screen.Fermer_Saisie_Ligne();
    for (const screen::RubricColumn& column : screen.rubricColumns())
        EXPECT_EQ(column.list.ListIndex(), -1) << column.list.Name();
    EXPECT_EQ(screen.Lst_Detail.ListCount(), 1);
    EXPECT_EQ(screen.Lst_Codes.ListCount(), 1);
}

}  // namespace
