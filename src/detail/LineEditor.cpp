// The line editor over the entity's lines: Lst_Detail, which the user sees, and the hidden
// Lst_Codes beside it, kept parallel (an entry added, replaced or removed in one is so in the
// other, at the same index). A line is added with "Ajouter", opened for change by a double click,
// then confirmed, abandoned or deleted; its five rubrics are chosen with the rubric selectors.
#include <array>

#include "control/Ctr_Ostrevan_p.h"
#include "data/Code.h"
#include "detail/CodeLine.h"
#include "entity/LineFormat.h"
#include "screen/Messages.h"

namespace {

// The line that the five selectors hold, as Lst_Detail shows it and as Lst_Codes keeps it. The
// weekday rubric is the code in its box; each other rubric is chosen when an item of its list is
// selected. A chosen rubric shows its code and the start of its label, and keeps its code with
// three digits; any other shows a blank column and keeps an empty code, so that the line shown is
// always the line kept.
struct EditedLine {
    std::string shown;
    std::string codes;
};

EditedLine editedLine(const std::array<screen::RubricColumn, 5>& columns) {
    std::string shown;
    std::array<std::string, 5> codes;
    for (std::size_t rubric = 0; rubric < columns.size(); ++rubric) {
        const screen::RubricColumn& column = columns[rubric];
        const std::string code = column.code.Text();
        const int item = column.list.ListIndex();
        if (rubric == 0 ? code.empty() : item < 0) {
            entity::appendBlankColumn(shown);
            continue;
        }
        shown += entity::editorColumn(code, item < 0 ? "" : column.list.List(item));
        codes[rubric] = data::completedCode(code);
    }
    return {shown, entity::codeLine(codes)};
}

}  // namespace

void Ctr_Ostrevan::bindLineEditor() {
    Cmd_Ajouter.onClick = [this] { Cmd_Ajouter_Click(); };
    Lst_Detail.onDblClick = [this] { Lst_Detail_DblClick(); };
    Cmd_OkDetail.onClick = [this] { Cmd_OkDetail_Click(); };
    Cmd_AnnulerDetail.onClick = [this] { Cmd_AnnulerDetail_Click(); };
    Cmd_Supprimer.onClick = [this] { Cmd_Supprimer_Click(); };
}

void Ctr_Ostrevan::Cmd_Ajouter_Click() {
    warnOfChangeElsewhere();
    mAjoutEnCours = component::kTrue;
    Ouvrir_Saisie_Ligne(static_cast<bool>(mAjoutEnCours));
    Cbo_RubNorm.SetFocus();
}

void Ctr_Ostrevan::Lst_Detail_DblClick() {
    const int line = Lst_Detail.ListIndex();
    if (line < 0) return;  // no line to open
    warnOfChangeElsewhere();
    mAjoutEnCours = component::kFalse;
    const std::string codes(Lst_Codes.List(line));
    std::int16_t field = 1;
    for (const screen::RubricColumn& column : rubricColumns()) {
        // A field left empty names no rubric: its selector stays empty. Of several items of the
        // field's code, the last one stays selected.
        const std::optional<std::int32_t> code =
            detail::Valeur_Code(detail::Extraire_Champ(codes, field++));
        const int count = column.list.ListCount();
        for (int item = 0; code && item < count; ++item) {
            if (column.list.ItemData(item) == *code) column.list.SetListIndex(item);
        }
    }
    Ouvrir_Saisie_Ligne(false);
}

void Ctr_Ostrevan::Cmd_OkDetail_Click() {
    const bool adding = static_cast<bool>(mAjoutEnCours);
    if (!adding && Lst_Detail.ListIndex() < 0) return;  // no line opened
    if (Txt_RubNorm.Text().empty()) {
        MsgBox(messages::avertissement("Vous devez renseigner la rubrique d'heures semaine.",
                                       messages::kTitreEditeur));
        return;
    }
    const EditedLine line = editedLine(rubricColumns());
    if (adding) {
        Lst_Detail.AddItem(line.shown);
        Lst_Codes.AddItem(line.codes);
    } else {
        Lst_Detail.SetList(Lst_Detail.ListIndex(), line.shown);
        Lst_Codes.SetList(Lst_Detail.ListIndex(), line.codes);
    }
    mAjoutEnCours = component::kFalse;
    Fermer_Saisie_Ligne();
}

void Ctr_Ostrevan::Cmd_AnnulerDetail_Click() {
    if (mAjoutEnCours &&
        MsgBox(messages::confirmation("Etes vous sur(e) de vouloir annuler cet ajout ?",
                                      toolkit::MsgIcon::Exclamation)) == toolkit::MsgAnswer::No)
        return;
    mAjoutEnCours = component::kFalse;
    Fermer_Saisie_Ligne();
}

void Ctr_Ostrevan::Cmd_Supprimer_Click() {
    warnOfChangeElsewhere();
    if (MsgBox(messages::confirmation("Etes vous sur(e) de vouloir supprimer cette ligne ?",
                                      toolkit::MsgIcon::Question)) != toolkit::MsgAnswer::Yes)
        return;
    Lst_Codes.RemoveItem(Lst_Detail.ListIndex());
    Lst_Detail.RemoveItem(Lst_Detail.ListIndex());
    Fermer_Saisie_Ligne();
}
