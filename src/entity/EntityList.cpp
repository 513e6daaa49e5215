#include "entity/EntityList.h"

#include "control/Ctr_Ostrevan_p.h"
#include "control/Mod_Var.h"
#include "data/ParameterRecord.h"
#include "platform/mvdb/Marks.h"
#include "platform/toolkit/ItemList.h"
#include "screen/Messages.h"

namespace entity {

mvdb::DynArray entityQuery() {
    mvdb::DynArray command;
    command.Assign(1, "SSELECT ASSOCIATION  PAR 1");
    command.Assign(2, data::kEntityFile);
    command.Assign(3, "0 1 38");
    return command;
}

int entityRow(const mvdb::DynArray& list, std::string_view code) {
    for (int row = 1;; ++row) {
        if (list.Extract(row).empty()) return 0;
        if (list.Extract(row, kCodeValue) == code) return row;
    }
}

std::string entityCode(const mvdb::DynArray& list, int row) {
    return row < 1 ? std::string() : list.Extract(row, kCodeValue);
}

}  // namespace entity

void Ctr_Ostrevan::Remplir_Entite() {
    Cbo_Entite.Clear();
    std::int32_t selectedCount = 0;  // not used: the list ends at its first empty row
    mListeEntites = std::make_shared<mvdb::DynArray>(
        Mod_Var::gDatabase->RunQuery(entity::entityQuery().Extract(), "", selectedCount));
    const std::string answer = mListeEntites->Extract();
    if (!answer.empty()) {  // DCount above 0
        // Every row is shown, however many there are, up to the first empty one; the rows are
        // read in place, one after the other, and the names shown in one fill.
        mvdb::Pieces rows(answer, mvdb::kAttributeMark);
        toolkit::ItemList names;
        for (std::string_view row = rows.next(); !row.empty(); row = rows.next())
            names.append(mvdb::nthPiece(row, mvdb::kValueMark, entity::kNameValue));
        Cbo_Entite.addItems(names);
    } else {
        MsgBox(messages::avertissement("Aucun système de télégestion n'est activé."));
        Cmd_Sortir.SetEnabled(true);
        toolkit::setEnabled({&Cmd_Ok, &Cmd_Annuler, &Txt_Entite, &Cbo_Entite, &Etq_Entite}, false);
    }
    if (Cbo_Entite.ListCount() == 1) {
        // The only entity opens from a cleared screen, in the browse mode of every other way in.
        Vider_Ecran();
        Cbo_Entite.SetListIndex(0);
    }
}
