// "Annuler" drops the open entity; "Sortir" leaves the screen, asking first whether to save the
// open entity's changes when the user may change the parameters.
#include "control/Ctr_Ostrevan_p.h"
#include "control/Mod_Proc.h"
#include "platform/mvdb/Marks.h"
#include "screen/Messages.h"

void Ctr_Ostrevan::bindExitCommands() {
    Cmd_Annuler.onClick = [this] { Cmd_Annuler_Click(); };
    Cmd_Sortir.onClick = [this] { Cmd_Sortir_Click(); };
}

void Ctr_Ostrevan::closeEntity() {
    mEnrParam.reset();
    Txt_Entite.SetText("");
    if (Txt_Entite.Enabled() && Txt_Entite.Visible()) Txt_Entite.SetFocus();
}

void Ctr_Ostrevan::Cmd_Annuler_Click() {
    closeEntity();
}

void Ctr_Ostrevan::Cmd_Sortir_Click() {
    // The code box may hold a text while no entity is open (an unfinished code): there is then
    // nothing to save.
    const bool entityOpen = !Txt_Entite.Text().empty() && mEnrParam;
    if (entityOpen && !changesSettled()) return;
    mListeEntites.reset();
    mListeRubriques.reset();
    mLignesCopie.clear();
    mEnrParam.reset();
    Mod_Proc::Liberer_Objets();
    mSortie = component::kTrue;
    Parent().Unload();
}

bool Ctr_Ostrevan::changesSettled() {
    // The lines themselves, not the record they would make: saving leaves out a line whose
    // weekday rubric is gone, so that deleting it would not change that record, and reshapes a
    // record that the user never changed (stray values, a record still to be made).
    if (mDroitsFonction->AccessLevel() != kNiveauModification ||
        Lst_Codes.items().joinedTexts(mvdb::kValueMark) == mLignesCopie)
        return true;
    const toolkit::MsgAnswer answer =
        MsgBox({"Voulez-vous enregistrer les modifications ?", messages::kTitreEcran,
                toolkit::MsgIcon::Question, toolkit::MsgButtons::YesNoCancel});
    if (answer == toolkit::MsgAnswer::Cancel) return false;
    if (answer == toolkit::MsgAnswer::Yes) Cmd_OK_Click();
    return true;
}
