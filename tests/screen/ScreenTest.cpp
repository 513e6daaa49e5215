// The settings screen as built: its widgets placed in reading order, its captions and looks.
#include <algorithm>
#include <set>
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

// The widgets that the screen starts disabled (the only hidden one is Lst_Codes).
const std::set<std::string> kDisabled = {
    "Cdr_RubHeures", "Etq_RubNorm",      "Etq_RubDim",       "Etq_RubJF",   "Etq_RubJFNonTrav",
    "Etq_Rub1Mai",   "Cbo_RubNorm",      "Txt_RubDim",       "Cbo_RubDim",  "Txt_RubJF",
    "Cbo_RubJF",     "Txt_RubJFNonTrav", "Cbo_RubJFNonTrav", "Txt_Rub1Mai", "Cbo_Rub1Mai"};

// A widget's edges on the form, its frame's offset added.
struct Edges {
    int left, top, right, bottom;
};
Edges onForm(const Widget& widget) {
    const toolkit::Rect& own = widget.geometry();
    const toolkit::Rect frame =
        widget.container() ? widget.container()->geometry() : toolkit::Rect{};
    const int left = frame.left + own.left, top = frame.top + own.top;
    return {left, top, left + own.width, top + own.height};
}

// Whether two widgets share more than their one-pixel border (15 twips).
bool overlap(const Edges& a, const Edges& b) {
    return std::min(a.right, b.right) - std::max(a.left, b.left) > 15 &&
           std::min(a.bottom, b.bottom) - std::max(a.top, b.top) > 15;
}

class ScreenTest : public ::testing::Test {
protected:
    toolkit::Surface surface{screen::kDesignWidth, screen::kDesignHeight};
    screen::Screen ecran{surface};
};

// Every widget lies on the form, inside its frame; the fields and buttons that Tab reaches (not the
// bars drawn over the list) neither overlap nor break the reading order, row by row from the top;
// each heading stands above its column and the entity's label left of its box.
TEST_F(ScreenTest, TheWidgetsLieInsideTheirFramesInReadingOrderWithoutOverlapping) {
    std::vector<const Widget*> stops, captioned;
    for (const Control* control : surface.Controls()) {
        const auto* widget = dynamic_cast<const Widget*>(control);
        if (widget == nullptr) continue;
        SCOPED_TRACE(widget->Name());
        EXPECT_EQ(widget->Enabled(), !kDisabled.contains(widget->Name()));
        EXPECT_EQ(widget->Visible(), widget != &ecran.Lst_Codes);
        const Edges own = onForm(*widget),
                    outer = widget->container()
                                ? onForm(*widget->container())
                                : Edges{0, 0, screen::kDesignWidth, screen::kDesignHeight};
        EXPECT_TRUE(own.left >= outer.left && own.top >= outer.top && own.right <= outer.right &&
                    own.bottom <= outer.bottom);
        if (dynamic_cast<const toolkit::Captioned*>(widget)) captioned.push_back(widget);
        if (widget->tabStop() && widget->Visible() && widget->Name() != "Cache" &&
            widget->kind() != ControlKind::Label && widget->kind() != ControlKind::Frame)
            stops.push_back(widget);
    }
    std::ranges::sort(stops, {}, &Widget::tabIndex);
    std::ranges::sort(captioned, {}, &Widget::tabIndex);
    ASSERT_EQ(stops.size(), 20u);
    for (std::size_t i = 0; i < stops.size(); ++i) {
        EXPECT_EQ(stops[i]->tabIndex(), static_cast<int>(i)) << stops[i]->Name();
        for (std::size_t j = i + 1; j < stops.size(); ++j) {
            const Edges a = onForm(*stops[i]), b = onForm(*stops[j]);
            EXPECT_FALSE(overlap(a, b)) << stops[i]->Name() << " " << stops[j]->Name();
            EXPECT_TRUE(a.top < b.top || (a.top == b.top && a.left < b.left))
                << stops[i]->Name() << " before " << stops[j]->Name();
        }
    }
    for (const screen::RubricColumn& column : ecran.rubricColumns()) {
        const Edges heading = onForm(column.heading);
        EXPECT_LT(heading.bottom, onForm(column.code).top) << column.heading.Name();
        EXPECT_TRUE(heading.left >= onForm(column.code).left &&
                    heading.left < onForm(column.list).right);
    }
    EXPECT_LT(onForm(ecran.Etq_Entite).right, onForm(ecran.Txt_Entite).left);
    std::string captions;  // in tab order
    for (const Widget* widget : captioned)
        captions += dynamic_cast<const toolkit::Captioned&>(*widget).Caption() + "|";
    EXPECT_EQ(captions,
              "Ajouter|Supprimer|OK|Annuler|OK|Annuler|Sortir|Entité juridique|Rubriques de saisie|"
              "Heures Fériées Travaillées|Heures fériées|Heures 1er Mai|Heures dimanche|"
              "Heures semaine|");
}

TEST_F(ScreenTest, TheCollectionHoldsTheWidgetsAndTheHelpMenuAndTheLooksFollowTheLayout) {
    EXPECT_EQ(surface.Controls().size(), 34u);
    EXPECT_EQ(ecran.Mnu_Sommaire.menu(), &ecran.Mnu_Aide);
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
// label that its list offers, or, when the list no longer offers it, the start that the line shows
// (a code too large for a number is no rubric of the list, not even the one numbered 0).
TEST_F(ScreenTest, ALineReadsAsItsRubricsCodesAndWholeLabelsUnderTheirHeadings) {
    ecran.Cbo_RubNorm.AddItem("Heures de déplacement entre deux interventions");
    ecran.Cbo_RubNorm.SetItemData(0, 120);
    ecran.Cbo_RubDim.AddItem("Heures zéro");
    ecran.Cbo_RubDim.SetItemData(0, 0);
    std::string line;
    for (const std::string column : {"120-Heures de déplacement entr", "2147483648-Heures reprises",
                                     "", "", "007-Heures d'évaluation à domi"}) {
        line +=
            column + std::string(screen::kLineColumnWidth - platform::characterCount(column), ' ');
    }
    ecran.Lst_Detail.AddItem(line);
    EXPECT_EQ(ecran.Lst_Detail.spokenItem(0),
              "Heures semaine 120 Heures de déplacement entre deux interventions, "
              "Heures dimanche 2147483648 Heures reprises, "
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
