// Saving the open entity: its lines, as Lst_Codes keeps them, written into its parameter record,
// and the record written to TPSPARAMBASCUL under the entity's code.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "control/Ctr_Ostrevan_p.h"
#include "data/ParameterRecord.h"
#include "detail/CodeLine.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Marks.h"

namespace {

// What the user reads when the record was not written, or may not have been: what to do when
// another user wrote it first, or when the server's answer never came; the database's reason
// otherwise.
std::string whyNotSaved(const std::string& entity, const platform::ComponentError& error) {
    const std::string notSaved =
        "Les paramètres de l'entité juridique " + entity + " n'ont pas été enregistrés : ";
    switch (error.number()) {
        case mvdb::kErrRecordChanged:
            return notSaved +
                   "un autre utilisateur a modifié cette entité depuis son ouverture, et rien n'a "
                   "été enregistré. Cliquez sur « Annuler » puis rouvrez l'entité pour voir les "
                   "lignes enregistrées par l'autre utilisateur.";
        case mvdb::kErrOutcomeUnknown:
            return "On ne sait pas si les paramètres de l'entité juridique " + entity +
                   " ont été enregistrés : " + error.what() +
                   " Cliquez de nouveau sur « OK » pour les enregistrer, ou sur « Annuler » puis "
                   "rouvrez l'entité pour voir les lignes enregistrées.";
        default:
            return notSaved + error.what();
    }
}

}  // namespace

void Ctr_Ostrevan::bindSaving() {
    Cmd_Ok.onClick = [this] { Cmd_OK_Click(); };
}

void Ctr_Ostrevan::Cmd_OK_Click() {
    try {
        Construire_Enregistrement(*mEnrParam);
        mEnrParam->DBWrite();
    } catch (const platform::ComponentError& error) {
        // The entity stays open with its lines, which leaving still finds changed: the user may
        // validate again, cancel, or leave and be asked.
        throw platform::ComponentError(error.number(), whyNotSaved(mEnrParam->Key(), error));
    }
    closeEntity();
}

void Ctr_Ostrevan::Construire_Enregistrement(mvdb::DynArray& record) {
    // Each rubric attribute's values, appended line after line.
    std::array<std::string, data::kRubricAttributes.size()> rubrics;
    bool firstLine = true;
    for (int item = 0; item < Lst_Codes.ListCount(); ++item) {
        const detail::CodeFields fields = detail::codeFields(Lst_Codes.List(item));
        // A line without its weekday rubric would end the lines when the record is read again,
        // and every line after it would be lost: it is left out, and the lines after it close up.
        if (fields[0].empty()) continue;
        for (std::size_t i = 0; i < rubrics.size(); ++i) {
            if (!firstLine) rubrics[i] += mvdb::kValueMark;
            rubrics[i] +=
                fields[static_cast<std::size_t>(data::fieldOf(data::kRubricAttributes[i])) - 1];
        }
        firstLine = false;
    }
    // The record's text made once, its other attributes kept as they are.
    const std::string stored = record.Extract();
    std::vector<std::string_view> attributes;
    if (!stored.empty()) attributes = mvdb::splitPieces(stored, mvdb::kAttributeMark);
    attributes.resize(std::max<std::size_t>(attributes.size(), data::kRubricAttributes.back()));
    for (std::size_t i = 0; i < rubrics.size(); ++i)
        attributes[static_cast<std::size_t>(data::kRubricAttributes[i]) - 1] = rubrics[i];
    record.Assign(mvdb::joinPieces(attributes, mvdb::kAttributeMark));
}
