// An entity's lines on the screen: its parameter record turned into Lst_Detail and Lst_Codes.
#include <array>

#include "control/Ctr_Ostrevan.h"
#include "control/Mod_Var.h"
#include "data/ParameterRecord.h"
#include "entity/LineFormat.h"
#include "platform/mvdb/DbError.h"
#include "rubric/RubricCode.h"

namespace {

// The attribute of a rubric record that holds its label, taken whole.
constexpr int kLabelAttribute = 1;

}  // namespace

std::string Ctr_Ostrevan::Lire_Enregistrement(const component::Ref<mvdb::DbFile>& file,
                                              component::Ref<mvdb::DbRecord>& record,
                                              const std::string& key) {
    try {
        record = std::make_shared<mvdb::DbRecord>(file->ReadRecord(key));
    } catch (const mvdb::DbError& error) {
        if (error.number() != mvdb::kErrNoSuchRecord) throw;
        return std::string(kEchec);
    }
    return "";
}

void Ctr_Ostrevan::Remplir_Detail() {
    Lst_Detail.Clear();
    Lst_Codes.Clear();
    for (int line = 1; !mEnrParam->Extract(data::kWeekdayAttribute, line).empty(); ++line) {
        std::string displayLine;
        std::array<std::string, data::kColumns.size()> codes;
        for (std::size_t column = 0; column < data::kColumns.size(); ++column) {
            const std::string code = mEnrParam->Extract(data::kColumns[column], line);
            const std::optional<std::string> label = rubricLabel(code);
            displayLine += label ? entity::columnText(code, *label) : entity::blankColumn();
            if (label) codes[column] = code;
        }
        Lst_Detail.AddItem(displayLine);
        Lst_Codes.AddItem(entity::codeLine(codes));
    }
}

std::optional<std::string> Ctr_Ostrevan::rubricLabel(const std::string& code) {
    if (code.empty()) return std::nullopt;
    const auto read = [&](const std::string& key) {
        return Lire_Enregistrement(Mod_Var::gFicRubSaisie, mEnrRubSaisie, key) != kEchec;
    };
    // A rubric whose code is filled with zeros on the screen (007) may be kept under its number
    // alone (7); the stored code is shown and kept as it stands.
    const std::optional<std::string> unpadded = rubric::keyWithoutLeadingZeros(code);
    if (!read(code) && !(unpadded && read(*unpadded))) return std::nullopt;
    return mEnrRubSaisie->Extract(kLabelAttribute);
}
