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
using Labels = std::unordered_map<std::string, std::string>;

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

// The distinct codes of the lines, in their order.
std::vector<std::string> distinctCodes(const std::vector<LineCodes>& lines) {
    std::vector<std::string> codes;
    std::unordered_set<std::string_view> seen;
    for (const LineCodes& line : lines) {
        for (const std::string& code : line) {
            if (!code.empty() && seen.insert(code).second) codes.push_back(code);
        }
    }
    return codes;
}

// Adds to records those of keys that the file holds, read at once.
void readInto(RubricRecords& records, const mvdb::DbFile& rubrics,
              const std::vector<std::string>& keys) {
    std::vector<std::optional<mvdb::DbRecord>> read = rubrics.ReadRecords(keys);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (read[i]) records.try_emplace(keys[i], std::move(*read[i]));
    }
}

// The rubric records of the codes, by key, read in one batch; then, for the codes filled with
// zeros on the screen (007) that have none, in a second batch the ones kept under their number
// alone (7).
RubricRecords rubricRecords(const mvdb::DbFile& rubrics, const std::vector<std::string>& codes) {
    RubricRecords records;
    readInto(records, rubrics, codes);
    std::vector<std::string> unpadded;
    for (const std::string& code : codes) {
        if (records.contains(code)) continue;
        if (std::optional<std::string> key = rubric::keyWithoutLeadingZeros(code))
            unpadded.push_back(std::move(*key));
    }
    if (!unpadded.empty()) readInto(records, rubrics, unpadded);
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
    const std::vector<std::string> codes = distinctCodes(lines);
    const RubricRecords rubrics = rubricRecords(*Mod_Var::gFicRubSaisie, codes);
    Labels labels;
    for (const std::string& code : codes) {
        if (const mvdb::DbRecord* rubric = rubricOf(rubrics, code)) {
            labels.emplace(code, rubric->Extract(kLabelAttribute));
            mEnrRubSaisie = std::make_shared<mvdb::DbRecord>(*rubric);
        }
    }
    std::string displayLine;
    for (const LineCodes& stored : lines) {
        displayLine.clear();
        LineCodes shown;
        for (std::size_t column = 0; column < stored.size(); ++column) {
            const auto label = labels.find(stored[column]);
            if (label == labels.end()) {
                entity::appendBlankColumn(displayLine);
                continue;
            }
            entity::appendColumn(displayLine, stored[column], label->second);
            shown[column] = stored[column];
        }
        Lst_Detail.AddItem(displayLine);
        Lst_Codes.AddItem(entity::codeLine(shown));
    }
}
