#include "rubric/RubricLists.h"

#include <string>

#include "control/Ctr_Ostrevan_p.h"
#include "control/Mod_Var.h"
#include "data/ParameterRecord.h"
#include "platform/mvdb/Marks.h"
#include "platform/toolkit/ItemList.h"
#include "rubric/RubricCode.h"

namespace rubric {
namespace {

// Selects the rubrics whose field 2 is 3, 4 or 5, by label.
std::string rubricSentence() {
    constexpr char kQuote = '"';
    std::string sentence = "SSELECT RUBSAISIE AVEC 2 = ";
    for (const char* type : {"3", "4", "5"}) {
        if (*type != '3') sentence += " OR = ";
        sentence += kQuote;
        sentence += type;
        sentence += kQuote;
    }
    return sentence + " PAR 1";
}

}  // namespace

mvdb::DynArray rubricQuery() {
    mvdb::DynArray command;
    command.Assign(1, rubricSentence());
    command.Assign(2, data::kRubricFile);
    command.Assign(3, "0 1 2 18");
    return command;
}

}  // namespace rubric

void Ctr_Ostrevan::Remplir_RubSaisie() {
    std::int32_t selectedCount = 0;  // not used: the answer's rows are counted
    mListeRubriques = std::make_shared<mvdb::DynArray>(
        Mod_Var::gDatabase->RunQuery(rubric::rubricQuery().Extract(), "", selectedCount));
    // The rows are read in place, one after the other, and counted as DCount counts them (the
    // empty answer has none); the items are made once, and the five lists share them.
    const std::string answer = mListeRubriques->Extract();
    mvdb::Pieces rows(answer, mvdb::kAttributeMark);
    toolkit::ItemList items;
    for (mNbRubriques = 0; !answer.empty() && !rows.done(); ++mNbRubriques) {
        mvdb::Pieces values(rows.next(), mvdb::kValueMark);
        const std::string_view key = values.next();
        const std::string_view label = values.next();
        values.next();                         // field 2, never read
        if (!values.next().empty()) continue;  // field 18: the rubric is closed
        if (const std::optional<std::int32_t> code = rubric::rubricCode(key))
            items.append(label, *code);
    }
    for (toolkit::ComboBox* list :
         {&Cbo_RubNorm, &Cbo_Rub1Mai, &Cbo_RubDim, &Cbo_RubJF, &Cbo_RubJFNonTrav})
        list->addItems(items);
}
