// An entity's lines on the screen: its parameter record turned into Lst_Detail and Lst_Codes.
#include <array>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "control/Ctr_Ostrevan_p.h"
#include "control/Mod_Var.h"
#include "data/ParameterRecord.h"
#include "entity/LineFormat.h"
#include "platform/mvdb/DbError.h"
#include "rubric/RubricCode.h"

namespace {

// The attribute of a rubric record that holds its label, taken whole.
constexpr int kLabelAttribute = 1;

using LineCodes = std::array<std::string, data::kColumns.size()>;
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

// The labels of the rubrics of the codes, by code, read at once: each code's own record and, for
// the codes filled with zeros on the screen (007) that have none, in a second batch the records
// kept under their number alone (7). lastRead receives the last rubric record that gave a label.
Labels rubricLabels(const mvdb::DbFile& rubrics, const std::vector<std::string>& codes,
                    component::Ref<mvdb::DbRecord>& lastRead) {
    Labels labels;
    const mvdb::DbRecord* last = nullptr;
    const auto label = [&](const std::string& code, const std::optional<mvdb::DbRecord>& read) {
        if (!read) return;
        labels.emplace(code, read->Extract(kLabelAttribute));
        last = &*read;
    };
    const std::vector<std::optional<mvdb::DbRecord>> own = rubrics.ReadRecords(codes);
    std::vector<std::string> padded;
    std::vector<std::string> unpadded;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        label(codes[i], own[i]);
        std::optional<std::string> key = rubric::keyWithoutLeadingZeros(codes[i]);
        if (!own[i] && key) {
            padded.push_back(codes[i]);
            unpadded.push_back(std::move(*key));
        }
    }
    std::vector<std::optional<mvdb::DbRecord>> underNumber;
    if (!unpadded.empty()) underNumber = rubrics.ReadRecords(unpadded);
    for (std::size_t i = 0; i < padded.size(); ++i)
        label(padded[i], underNumber[i]);
    if (last) lastRead = std::make_shared<mvdb::DbRecord>(*last);
    return labels;
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
    const Labels labels =
        rubricLabels(*Mod_Var::gFicRubSaisie, distinctCodes(lines), mEnrRubSaisie);
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
