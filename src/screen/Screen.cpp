#include "screen/Screen.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace screen {
namespace {

using toolkit::Button;
using toolkit::ComboBox;
using toolkit::Frame;
using toolkit::Label;
using toolkit::ListBox;
using toolkit::MenuEntry;
using toolkit::Placement;
using toolkit::Surface;
using toolkit::TextBox;

TextBox& codeBox(Surface& surface, Placement placement) {
    TextBox& box = surface.add<TextBox>(std::move(placement));
    box.SetMaxLength(3);
    return box;
}

// The four narrow bars drawn over the list of lines at the left edges of its columns 2 to 5.
toolkit::ControlArray<TextBox> separatorBars(Surface& surface, Frame& frame) {
    toolkit::ControlArray<TextBox> bars;
    for (const auto& [index, left, tabIndex] :
         {std::tuple{7, 3360, 22}, {6, 6600, 23}, {5, 9840, 24}, {4, 13080, 25}}) {
        TextBox& bar = surface.add<TextBox>(
            Placement{"Cache", index, &frame, {left, 720, 75, 2175}, tabIndex});
        bar.setBackColour(toolkit::SystemColour::ActiveBorder);
        bar.setAnnounced(false);
        bars.add(bar);
    }
    return bars;
}

ListBox& detailList(Surface& surface, Frame& frame) {
    ListBox& list =
        surface.add<ListBox>(Placement{"Lst_Detail", -1, &frame, {120, 720, 16560, 2160}, 2});
    list.setFont({"Courier New", 8.25, false});
    return list;
}

// Never shown, and not announced: the codes of the lines are read with their lines.
ListBox& hiddenCodeList(Surface& surface, Frame& frame) {
    ListBox& list =
        surface.add<ListBox>(Placement{"Lst_Codes", -1, &frame, {3480, 3360, 1455, 255}, 26});
    list.SetVisible(false);
    list.setAnnounced(false);
    return list;
}

// The label of the rubric of that code in a rubric's list (item data, the code's number); none
// when the list does not offer it.
std::optional<std::string_view> offeredLabel(const ComboBox& list, std::string_view code) {
    std::int32_t number = 0;
    const char* end = code.data() + code.size();
    const auto [last, error] = std::from_chars(code.data(), end, number);
    if (code.empty() || error != std::errc() || last != end) return std::nullopt;
    for (int i = 0; i < list.ListCount(); ++i) {
        if (list.ItemData(i) == number) return list.List(i);
    }
    return std::nullopt;
}

// A rubric's column of a line ("101-Heures majorées 2") as read aloud: its code, then the whole
// label of its rubric from the rubric's list, or the start of the label that the column shows
// when the list no longer offers the rubric.
std::string spokenRubric(const ComboBox& list, std::string_view shown) {
    const std::size_t dash = shown.find('-');
    if (dash == std::string_view::npos) return std::string(shown);
    const std::string_view code = shown.substr(0, dash);
    const std::string_view label = offeredLabel(list, code).value_or(shown.substr(dash + 1));
    return std::string(code) + (label.empty() ? "" : " ") + std::string(label);
}

}  // namespace

Screen::Screen(Surface& surface)
    : Etq_Entite(surface.add<Label>(Placement{"Etq_Entite", -1, nullptr, {120, 120, 1035, 195}, 20},
                                    "Entité juridique")),
      Txt_Entite(
          surface.add<TextBox>(Placement{"Txt_Entite", -1, nullptr, {1320, 120, 495, 315}, 0})),
      Cbo_Entite(
          surface.add<ComboBox>(Placement{"Cbo_Entite", -1, nullptr, {1920, 120, 9855, 315}, 1})),
      Cdr_RubHeures(
          surface.add<Frame>(Placement{"Cdr_RubHeures", -1, nullptr, {120, 600, 16815, 3825}, 21},
                             "Rubriques de saisie")),
      Cmd_Ok(
          surface.add<Button>(Placement{"Cmd_Ok", -1, nullptr, {13560, 4560, 975, 375}, 17}, "OK")),
      Cmd_Annuler(surface.add<Button>(
          Placement{"Cmd_Annuler", -1, nullptr, {14760, 4560, 975, 375}, 18}, "Annuler")),
      Cmd_Sortir(surface.add<Button>(
          Placement{"Cmd_Sortir", -1, nullptr, {15960, 4560, 975, 375}, 19}, "Sortir")),
      Etq_RubNorm(surface.add<Label>(
          Placement{"Etq_RubNorm", -1, &Cdr_RubHeures, {960, 360, 1260, 195}, 31},
          "Heures semaine")),
      Etq_RubDim(surface.add<Label>(
          Placement{"Etq_RubDim", -1, &Cdr_RubHeures, {4200, 360, 1245, 195}, 30},
          "Heures dimanche")),
      Etq_RubJF(surface.add<Label>(
          Placement{"Etq_RubJF", -1, &Cdr_RubHeures, {7440, 240, 1395, 555}, 27},
          "Heures Fériées Travaillées", toolkit::LabelLayout::CentredAndWrapped)),
      Etq_RubJFNonTrav(surface.add<Label>(
          Placement{"Etq_RubJFNonTrav", -1, &Cdr_RubHeures, {10920, 360, 1020, 195}, 28},
          "Heures fériées")),
      Etq_Rub1Mai(surface.add<Label>(
          Placement{"Etq_Rub1Mai", -1, &Cdr_RubHeures, {14400, 360, 1080, 195}, 29},
          "Heures 1er Mai")),
      Lst_Detail(detailList(surface, Cdr_RubHeures)),
      Cache(separatorBars(surface, Cdr_RubHeures)),
      Txt_RubNorm(codeBox(surface, {"Txt_RubNorm", -1, &Cdr_RubHeures, {120, 3000, 375, 315}, 3})),
      Cbo_RubNorm(surface.add<ComboBox>(
          Placement{"Cbo_RubNorm", -1, &Cdr_RubHeures, {480, 3000, 2895, 315}, 4})),
      Txt_RubDim(codeBox(surface, {"Txt_RubDim", -1, &Cdr_RubHeures, {3360, 3000, 375, 315}, 5})),
      Cbo_RubDim(surface.add<ComboBox>(
          Placement{"Cbo_RubDim", -1, &Cdr_RubHeures, {3720, 3000, 2895, 315}, 6})),
      Txt_RubJF(codeBox(surface, {"Txt_RubJF", -1, &Cdr_RubHeures, {6600, 3000, 375, 315}, 7})),
      Cbo_RubJF(surface.add<ComboBox>(
          Placement{"Cbo_RubJF", -1, &Cdr_RubHeures, {6960, 3000, 2895, 315}, 8})),
      Txt_RubJFNonTrav(
          codeBox(surface, {"Txt_RubJFNonTrav", -1, &Cdr_RubHeures, {9840, 3000, 375, 315}, 9})),
      Cbo_RubJFNonTrav(surface.add<ComboBox>(
          Placement{"Cbo_RubJFNonTrav", -1, &Cdr_RubHeures, {10200, 3000, 2895, 315}, 10})),
      Txt_Rub1Mai(
          codeBox(surface, {"Txt_Rub1Mai", -1, &Cdr_RubHeures, {13080, 3000, 375, 315}, 11})),
      Cbo_Rub1Mai(surface.add<ComboBox>(
          Placement{"Cbo_Rub1Mai", -1, &Cdr_RubHeures, {13440, 3000, 2895, 315}, 12})),
      Cmd_Ajouter(surface.add<Button>(
          Placement{"Cmd_Ajouter", -1, &Cdr_RubHeures, {120, 3360, 975, 375}, 13}, "Ajouter")),
      Cmd_Supprimer(surface.add<Button>(
          Placement{"Cmd_Supprimer", -1, &Cdr_RubHeures, {1320, 3360, 975, 375}, 14}, "Supprimer")),
      Lst_Codes(hiddenCodeList(surface, Cdr_RubHeures)),
      Cmd_OkDetail(surface.add<Button>(
          Placement{"Cmd_OkDetail", -1, &Cdr_RubHeures, {14520, 3360, 975, 375}, 15}, "OK")),
      Cmd_AnnulerDetail(surface.add<Button>(
          Placement{"Cmd_AnnulerDetail", -1, &Cdr_RubHeures, {15720, 3360, 975, 375}, 16},
          "Annuler")),
      Mnu_Aide(surface.add<MenuEntry>("Mnu_Aide", "Aide")),
      Mnu_Sommaire(surface.add<MenuEntry>("Mnu_Sommaire", "Aide_QUORVEL", &Mnu_Aide)),
      surface_(surface) {
    toolkit::setEnabled(
        {&Cdr_RubHeures, &Etq_RubNorm, &Etq_RubDim, &Etq_RubJF, &Etq_RubJFNonTrav, &Etq_Rub1Mai,
         &Cbo_RubNorm, &Txt_RubDim, &Cbo_RubDim, &Txt_RubJF, &Cbo_RubJF, &Txt_RubJFNonTrav,
         &Cbo_RubJFNonTrav, &Txt_Rub1Mai, &Cbo_Rub1Mai},
        false);
    describeForAssistiveTechnology();
}

void Screen::describeForAssistiveTechnology() {
    Txt_Entite.setAccessibleName("Entité juridique, code");
    Cbo_Entite.setAccessibleName("Entité juridique, nom");
    Lst_Detail.setAccessibleName("Lignes de l'entité");
    std::vector<toolkit::ListColumn> lineColumns;
    for (const RubricColumn& column : rubricColumns()) {
        column.code.setAccessibleName(column.heading.Caption() + ", code");
        column.list.setAccessibleName(column.heading.Caption() + ", rubrique");
        lineColumns.push_back(
            {column.heading.Caption(), kLineColumnWidth,
             [&list = column.list](auto shown) { return spokenRubric(list, shown); }});
    }
    Lst_Detail.setColumns(std::move(lineColumns));
    Cmd_Ok.setAccessibleName(Cmd_Ok.Caption(), "Enregistrer les lignes de l'entité");
    Cmd_Annuler.setAccessibleName(Cmd_Annuler.Caption(),
                                  "Abandonner les modifications de l'entité");
    Cmd_OkDetail.setAccessibleName(Cmd_OkDetail.Caption(), "Valider la ligne");
    Cmd_AnnulerDetail.setAccessibleName(Cmd_AnnulerDetail.Caption(),
                                        "Abandonner la saisie de la ligne");
}

std::array<RubricColumn, 5> Screen::rubricColumns() const {
    return {{{Etq_RubNorm, Txt_RubNorm, Cbo_RubNorm},
             {Etq_RubDim, Txt_RubDim, Cbo_RubDim},
             {Etq_RubJF, Txt_RubJF, Cbo_RubJF},
             {Etq_RubJFNonTrav, Txt_RubJFNonTrav, Cbo_RubJFNonTrav},
             {Etq_Rub1Mai, Txt_Rub1Mai, Cbo_Rub1Mai}}};
}

}  // namespace screen
