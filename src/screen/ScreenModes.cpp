#include <string_view>

#include "screen/Screen.h"

namespace screen {

using toolkit::setEnabled;

namespace {

// The controls that the clearing leaves usable: what lets the user choose an entity or leave.
bool staysUsable(std::string_view name) {
    return name == "Etq_Entite" || name == "Txt_Entite" || name == "Cmd_Sortir" ||
           name == "Cbo_Entite" || name.starts_with("Mnu");
}

// Empties a control by the kind that its name's first three characters tell.
void empty(toolkit::Control& control) {
    const std::string_view kind = std::string_view(control.Name()).substr(0, 3);
    if (kind == "Txt") {
        control.SetText("");
    } else if (kind == "Cbo") {
        control.SetListIndex(-1);
    } else if (kind == "Lst") {
        control.Clear();
    }
}

}  // namespace

void Screen::Vider_Ecran() {
    for (toolkit::Control* control : surface_.Controls()) {
        if (staysUsable(control->Name())) {
            control->SetEnabled(true);
            continue;
        }
        empty(*control);
        control->SetEnabled(false);
    }
}

void Screen::Activer_Ecran() {
    setEnabled({&Txt_Entite, &Cbo_Entite}, false);
    setEnabled({&Cmd_Annuler, &Cmd_Ok, &Cdr_RubHeures, &Etq_RubNorm, &Etq_RubDim, &Etq_RubJF,
                &Etq_RubJFNonTrav, &Etq_Rub1Mai, &Lst_Detail, &Cmd_Ajouter},
               true);
    setEnabled({&Cmd_Supprimer, &Cmd_OkDetail, &Cmd_AnnulerDetail}, false);
}

void Screen::Ouvrir_Saisie_Ligne(bool adding) {
    setEnabled({&Lst_Detail, &Cmd_Ajouter}, false);
    setEnabled({&Txt_RubNorm, &Txt_RubDim, &Txt_Rub1Mai, &Txt_RubJF, &Txt_RubJFNonTrav,
                &Cbo_RubNorm, &Cbo_RubDim, &Cbo_Rub1Mai, &Cbo_RubJF, &Cbo_RubJFNonTrav},
               true);
    if (!adding) Cmd_Supprimer.SetEnabled(true);
    setEnabled({&Cmd_AnnulerDetail, &Cmd_OkDetail}, true);
    setEnabled({&Cmd_Ok, &Cmd_Annuler, &Cmd_Sortir}, false);
}

void Screen::Fermer_Saisie_Ligne() {
    setEnabled({&Etq_RubNorm, &Etq_RubDim, &Etq_Rub1Mai, &Etq_RubJF, &Etq_RubJFNonTrav, &Lst_Detail,
                &Cmd_Ajouter},
               true);
    setEnabled({&Txt_RubNorm, &Txt_RubDim, &Txt_Rub1Mai, &Txt_RubJF, &Txt_RubJFNonTrav}, false);
    for (toolkit::ComboBox* list :
         {&Cbo_RubNorm, &Cbo_RubDim, &Cbo_RubJF, &Cbo_RubJFNonTrav, &Cbo_Rub1Mai}) {
        list->SetListIndex(-1);
        // A label that the user shortened left no item selected: removing the selection then
        // changes nothing, and emptying the text part is what empties the code box beside it.
        list->SetText("");
        list->SetEnabled(false);
    }
    setEnabled({&Cmd_Supprimer, &Cmd_AnnulerDetail, &Cmd_OkDetail}, false);
    setEnabled({&Cmd_Ok, &Cmd_Annuler, &Cmd_Sortir}, true);
}

}  // namespace screen
