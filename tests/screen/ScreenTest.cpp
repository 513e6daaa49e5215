// The settings screen as built: every widget against the layout tables, written once as data.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Utf8.h"
#include "platform/toolkit/StateDump.h"
#include "platform/toolkit/ToolkitError.h"
#include "screen/Screen.h"

namespace {

using toolkit::Control;
using toolkit::ControlKind;
using toolkit::Widget;

struct ExpectedWidget {
    const char* name;
    int index;
    ControlKind kind;
    bool inFrame;
    const char* caption;
    toolkit::Rect geometry;
    int tabIndex;
    bool enabled;
    bool visible = true;
};

constexpr auto L = ControlKind::Label;
constexpr auto T = ControlKind::TextBox;
constexpr auto C = ControlKind::ComboBox;
constexpr auto S = ControlKind::ListBox;
constexpr auto B = ControlKind::Button;
constexpr auto F = ControlKind::Frame;

const std::vector<ExpectedWidget> kLayout = {
    {"Etq_Entite", -1, L, false, "Entité juridique", {120, 120, 1035, 195}, 20, true},
    {"Txt_Entite", -1, T, false, "", {1320, 120, 495, 315}, 0, true},
    {"Cbo_Entite", -1, C, false, "", {1920, 120, 9855, 315}, 1, true},
    {"Cdr_RubHeures", -1, F, false, "Rubriques de saisie", {120, 600, 16815, 3825}, 21, false},
    {"Cmd_Ok", -1, B, false, "OK", {13560, 4560, 975, 375}, 17, true},
    {"Cmd_Annuler", -1, B, false, "Annuler", {14760, 4560, 975, 375}, 18, true},
    {"Cmd_Sortir", -1, B, false, "Sortir", {15960, 4560, 975, 375}, 19, true},
    {"Etq_RubNorm", -1, L, true, "Heures semaine", {960, 360, 1260, 195}, 31, false},
    {"Etq_RubDim", -1, L, true, "Heures dimanche", {4200, 360, 1245, 195}, 30, false},
    {"Etq_RubJF", -1, L, true, "Heures Fériées Travaillées", {7440, 240, 1395, 555}, 27, false},
    {"Etq_RubJFNonTrav", -1, L, true, "Heures fériées", {10920, 360, 1020, 195}, 28, false},
    {"Etq_Rub1Mai", -1, L, true, "Heures 1er Mai", {14400, 360, 1080, 195}, 29, false},
    {"Lst_Detail", -1, S, true, "", {120, 720, 16560, 2160}, 2, true},
    {"Cache", 7, T, true, "", {3360, 720, 75, 2175}, 22, true},
    {"Cache", 6, T, true, "", {6600, 720, 75, 2175}, 23, true},
    {"Cache", 5, T, true, "", {9840, 720, 75, 2175}, 24, true},
    {"Cache", 4, T, true, "", {13080, 720, 75, 2175}, 25, true},
    {"Txt_RubNorm", -1, T, true, "", {120, 3000, 375, 315}, 3, true},
    {"Cbo_RubNorm", -1, C, true, "", {480, 3000, 2895, 315}, 4, false},
    {"Txt_RubDim", -1, T, true, "", {3360, 3000, 375, 315}, 5, false},
    {"Cbo_RubDim", -1, C, true, "", {3720, 3000, 2895, 315}, 6, false},
    {"Txt_RubJF", -1, T, true, "", {6600, 3000, 375, 315}, 7, false},
    {"Cbo_RubJF", -1, C, true, "", {6960, 3000, 2895, 315}, 8, false},
    {"Txt_RubJFNonTrav", -1, T, true, "", {9840, 3000, 375, 315}, 9, false},
    {"Cbo_RubJFNonTrav", -1, C, true, "", {10200, 3000, 2895, 315}, 10, false},
    {"Txt_Rub1Mai", -1, T, true, "", {13080, 3000, 375, 315}, 11, false},
    {"Cbo_Rub1Mai", -1, C, true, "", {13440, 3000, 2895, 315}, 12, false},
    {"Cmd_Ajouter", -1, B, true, "Ajouter", {120, 3360, 975, 375}, 13, true},
    {"Cmd_Supprimer", -1, B, true, "Supprimer", {1320, 3360, 975, 375}, 14, true},
    {"Lst_Codes", -1, S, true, "", {3480, 3360, 1455, 255}, 26, true, false},
    {"Cmd_OkDetail", -1, B, true, "OK", {14520, 3360, 975, 375}, 15, true},
    {"Cmd_AnnulerDetail", -1, B, true, "Annuler", {15720, 3360, 975, 375}, 16, true},
};

std::string captionOf(const Control& control) {
    if (auto* captioned = dynamic_cast<const toolkit::Captioned*>(&control)) {
        return captioned->Caption();
    }
    return control.kind() == ControlKind::ListBox ? "" : control.Text();
}

class ScreenTest : public ::testing::Test {
protected:
    toolkit::Surface surface{screen::kDesignWidth, screen::kDesignHeight};
    screen::Screen ecran{surface};
};

TEST_F(ScreenTest, EveryWidgetStandsAsDesigned) {
    for (const ExpectedWidget& expected : kLayout) {
        SCOPED_TRACE(std::string(expected.name) + " " + std::to_string(expected.index));
        auto* widget = dynamic_cast<Widget*>(surface.find(expected.name, expected.index));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->kind(), expected.kind);
        EXPECT_EQ(widget->container(), expected.inFrame ? &ecran.Cdr_RubHeures : nullptr);
        EXPECT_EQ(captionOf(*widget), expected.caption);
        EXPECT_EQ(widget->geometry(), expected.geometry);
        EXPECT_EQ(widget->tabIndex(), expected.tabIndex);
        EXPECT_EQ(widget->Enabled(), expected.enabled);
        EXPECT_EQ(widget->Visible(), expected.visible);
    }
}

TEST_F(ScreenTest, TheCollectionHoldsTheWidgetsAndTheHelpMenuAndTheLooksFollowTheLayout) {
    EXPECT_EQ(surface.Controls().size(), kLayout.size() + 2);
    EXPECT_EQ(ecran.Mnu_Aide.Caption(), "Aide");
    EXPECT_EQ(ecran.Mnu_Sommaire.Caption(), "Aide_QUORVEL");
    EXPECT_EQ(ecran.Mnu_Sommaire.menu(), &ecran.Mnu_Aide);
    EXPECT_EQ(surface.find("Mnu_Sommaire"), &ecran.Mnu_Sommaire);
    EXPECT_EQ(&ecran.Cache(4), surface.find("Cache", 4));
    EXPECT_THROW(ecran.Cache(3), platform::ComponentError);

    EXPECT_EQ(ecran.Lst_Detail.font(), (toolkit::Font{"Courier New", 8.25, false}));
    EXPECT_EQ(ecran.Lst_Codes.font(), toolkit::Font{});
    EXPECT_EQ(ecran.Txt_Entite.MaxLength(), 0);
    for (const screen::RubricColumn& column : ecran.rubricColumns()) {
        EXPECT_EQ(column.code.MaxLength(), 3) << column.code.Name();
        EXPECT_EQ(column.heading.layout(), &column.heading == &ecran.Etq_RubJF
                                               ? toolkit::LabelLayout::CentredAndWrapped
                                               : toolkit::LabelLayout::SizedToCaption);
    }
    for (int index = 4; index <= 7; ++index)
        EXPECT_EQ(ecran.Cache(index).backColour(), toolkit::SystemColour::ActiveBorder);
}

// A line of Lst_Detail is read as its rubrics under their headings, each by its code and the whole
// label that its list offers, or, when the list no longer offers it, the start that the line shows.
TEST_F(ScreenTest, ALineReadsAsItsRubricsCodesAndWholeLabelsUnderTheirHeadings) {
    ecran.Cbo_RubNorm.AddItem("Heures de déplacement entre deux interventions");
    ecran.Cbo_RubNorm.SetItemData(0, 120);
    std::string line;
    for (const std::string column :
         {"120-Heures de déplacement entr", "", "", "", "007-Heures d'évaluation à domi"}) {
        line +=
            column + std::string(screen::kLineColumnWidth - platform::characterCount(column), ' ');
    }
    ecran.Lst_Detail.AddItem(line);
    EXPECT_EQ(ecran.Lst_Detail.spokenItem(0),
              "Heures semaine 120 Heures de déplacement entre deux interventions, "
              "Heures 1er Mai 007 Heures d'évaluation à domi");
}

TEST_F(ScreenTest, TheStateDumpListsTheWidgetsInTabOrderThenTheMenu) {
    ecran.Cbo_Entite.AddItem("Association \"Les Tilleuls\"");
    ecran.Cbo_Entite.SetItemData(0, 7);
    const std::string dump = toolkit::dumpState(surface);
    EXPECT_EQ(dump.substr(0, dump.find("Lst_Detail")),
              "Txt_Entite textbox enabled=True visible=True text=\"\"\n"
              "Cbo_Entite combobox enabled=True visible=True text=\"\" listindex=-1 count=1\n"
              "  [0] data=7 \"Association \\\"Les Tilleuls\\\"\"\n");
    EXPECT_NE(dump.find("Cache(7) textbox enabled=True visible=True text=\"\"\nCache(6)"),
              std::string::npos);
    EXPECT_NE(dump.find("Lst_Codes listbox enabled=True visible=False listindex=-1 count=0\n"),
              std::string::npos);
    EXPECT_TRUE(
        dump.ends_with("Etq_RubNorm label enabled=False visible=True caption=\"Heures semaine\"\n"
                       "Mnu_Aide menu enabled=True visible=True caption=\"Aide\"\n"
                       "Mnu_Sommaire menu enabled=True visible=True caption=\"Aide_QUORVEL\"\n"));
}

}  // namespace
