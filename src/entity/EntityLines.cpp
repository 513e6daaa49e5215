// An entity's lines on the screen: its parameter record turned into Lst_Detail and Lst_Codes.
#include <array>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "control/Ctr_Ostrevan.h"
#include "control/Mod_Var.h"
#include "data/ParameterRecord.h"
#include "entity/LineFormat.h"
#include "platform/mvdb/DbError.h"
#include "rubric/RubricCode.h"

namespace {

// The attribute of a rubric record that holds its label, taken whole.
constexpr int kLabelAttribute = 1;

using LineCodes = std::array<std::string, data::kColumns.size()>;
using RubricRecords = std::unordered_map<std::string, mvdb::DbRecord>;

// The stored codes of the record's lines, in the order of the columns.
std::vector<LineCodes> storedLines(const mvdb::DynArray& record) {
    std::vector<LineCodes> lines;
    for (int line = 1; !record.Extract(data::kWeekdayAttribute, line).empty(); ++line) {
        LineCodes& codes = lines.emplace_back();
        for (std::size_t column = 0; column < codes.size(); ++column)
            codes[column] = record.Extract(data::kColumns[column], line);
    }
    return lines;
}

// The rubric records of every code of the lines, by key, read at once: each code's own and, for
// a code filled with zeros on the screen (007), the one kept under its number alone (7).
RubricRecords rubricRecords(const mvdb::DbFile& rubrics, const std::vector<LineCodes>& lines) {
    std::vector<std::string> keys;
    std::unordered_set<std::string_view> seen;
    for (const LineCodes& codes : lines) {
        for (const std::string& code : codes) {
            if (code.empty() || !seen.insert(code).second) continue;
            keys.push_back(code);
            if (auto unpadded = rubric::keyWithoutLeadingZeros(code)) keys.push_back(*unpadded);
        }
    }
    RubricRecords records;
    std::vector<std::optional<mvdb::DbRecord>> read = rubrics.ReadRecords(keys);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (read[i]) records.try_emplace(keys[i], std::move(*read[i]));
    }
    return records;
}

// The rubric record of a stored code: its own, else the one under its number alone; none for a
// rubric that has no record.
const mvdb::DbRecord* rubricOf(const RubricRecords& records, const std::string& code) {
    auto found = records.find(code);
    if (found == records.end()) {
        const std::optional<std::string> unpadded = rubric::keyWithoutLeadingZeros(code);
        if (unpadded) found = records.find(*unpadded);
    }
    return found == records.end() ? nullptr : &found->second;
}

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
    const std::vector<LineCodes> lines = storedLines(*mEnrParam);
    const RubricRecords rubrics = rubricRecords(*Mod_Var::gFicRubSaisie, lines);
    const mvdb::DbRecord* rubric = nullptr;
    for (const LineCodes& stored : lines) {
        std::string displayLine;
        LineCodes codes;
        for (std::size_t column = 0; column < stored.size(); ++column) {
            const std::string& code = stored[column];
            const mvdb::DbRecord* found = code.empty() ? nullptr : rubricOf(rubrics, code);
            if (found) {
                rubric = found;
                displayLine += entity::columnText(code, found->Extract(kLabelAttribute));
                codes[column] = code;
            } else {
                displayLine += entity::blankColumn();
            }
        }
        Lst_Detail.AddItem(displayLine);
        Lst_Codes.AddItem(entity::codeLine(codes));
    }
    if (rubric) mEnrRubSaisie = std::make_shared<mvdb::DbRecord>(*rubric);
}
