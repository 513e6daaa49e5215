// A rubric's record in RUBSAISIE as the screen reads it, keyed by the rubric's code: attribute 1
// is its label, taken whole. A code that the screen shows filled with zeros (007) whose record is
// not kept under it is kept under its number alone (7, RubricCode.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/TextIndex.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/Marks.h"
#include "rubric/RubricCode.h"

namespace rubric {

inline constexpr int kLabelAttribute = 1;

inline std::string_view labelOf(std::string_view record) {
    return mvdb::nthPiece(record, mvdb::kAttributeMark, kLabelAttribute);
}

// Calls visit(code, key, text, version) for each of the codes whose rubric has a record (code:
// its number in the index; key: the key the record was found under), in two reads whatever the
// number of codes: the codes' own records, then, for the codes filled with zeros that have none,
// the records kept under their numbers. The text lives until visit returns.
template <typename Visit>
void forEachRubricOf(const mvdb::DbFile& rubrics, const platform::TextIndex& codes, Visit&& visit) {
    std::vector<bool> found(codes.size());
    rubrics.ForEachRecordOf(
        codes, [&](std::size_t code, std::string_view text, mvdb::Store::Version version) {
            found[code] = true;
            visit(static_cast<std::uint32_t>(code), codes.text(static_cast<std::uint32_t>(code)),
                  text, version);
        });
    platform::TextIndex numbers;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> padded;  // a code, then its number's
    for (std::uint32_t code = 0; code < codes.size(); ++code) {
        if (found[code]) continue;
        if (const std::optional<std::string_view> key = keyWithoutLeadingZeros(codes.text(code)))
            padded.emplace_back(code, numbers.add(*key));
    }
    if (padded.empty()) return;
    std::vector<std::optional<std::pair<std::string, mvdb::Store::Version>>> underNumber(
        numbers.size());
    rubrics.ForEachRecordOf(
        numbers, [&](std::size_t number, std::string_view text, mvdb::Store::Version version) {
            underNumber[number].emplace(text, version);
        });
    for (const auto& [code, number] : padded) {
        if (const auto& record = underNumber[number])
            visit(code, numbers.text(number), record->first, record->second);
    }
}

}  // namespace rubric
