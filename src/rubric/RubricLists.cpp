#include "rubric/RubricLists.h"

#include <string>

#include "control/Ctr_Ostrevan_p.h"
#include "control/Mod_Var.h"
#include "data/ParameterRecord.h"
#include "rubric/RubricCode.h"

namespace rubric {
namespace {

// The values of a row of the answer.
constexpr int kKeyValue = 1;
constexpr int kLabelValue = 2;
constexpr int kClosedValue = 4;  // field 18

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
    mNbRubriques = mListeRubriques->DCount();
    for (int row = 1; row <= mNbRubriques; ++row) {
        if (!mListeRubriques->Extract(row, rubric::kClosedValue).empty()) continue;
        const std::optional<std::int32_t> code =
            rubric::rubricCode(mListeRubriques->Extract(row, rubric::kKeyValue));
        if (!code) continue;
        const std::string label = mListeRubriques->Extract(row, rubric::kLabelValue);
        for (toolkit::ComboBox* list :
             {&Cbo_RubNorm, &Cbo_Rub1Mai, &Cbo_RubDim, &Cbo_RubJF, &Cbo_RubJFNonTrav}) {
            list->AddItem(label);
            list->SetItemData(list->NewIndex(), *code);
        }
    }
}
