// The parameter record of one legal entity, in the file TPSPARAMBASCUL, keyed by the entity's
// code.
//
// Attributes 1 to 4, and any above 9, are kept as they were read and never interpreted.
// Attributes 5 to 9 are the five rubric columns of the entity's lines: value n of each belongs to
// line n, and holds the code of a rubric (a key of RUBSAISIE) or "" when the line names no rubric
// of that kind. The lines are lines 1, 2, ... up to the first line whose weekday rubric is empty.
// The screen shows the columns in the order of kColumns, the record keeps them by attribute.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>

#include "platform/mvdb/Marks.h"

namespace data {

inline constexpr std::string_view kParameterFile = "TPSPARAMBASCUL";
inline constexpr std::string_view kRubricFile = "RUBSAISIE";
inline constexpr std::string_view kEntityFile = "ASSOCIATION";

// The attribute of each rubric column.
inline constexpr int kWeekdayAttribute = 5;        // "Heures semaine"
inline constexpr int kSundayAttribute = 6;         // "Heures dimanche"
inline constexpr int kMayDayAttribute = 7;         // "Heures 1er Mai"
inline constexpr int kWorkedHolidayAttribute = 8;  // "Heures Fériées Travaillées"
inline constexpr int kHolidayAttribute = 9;        // "Heures fériées"

// The rubric columns of a line in the order of the screen's lists and code lines: column i
// (from 0) is attribute kColumns[i] of the record.
inline constexpr std::array<int, 5> kColumns = {kWeekdayAttribute, kSundayAttribute,
                                                kWorkedHolidayAttribute, kHolidayAttribute,
                                                kMayDayAttribute};

// The rubric attributes in the order in which the record keeps them.
inline constexpr std::array<int, 5> kRubricAttributes = {kWeekdayAttribute, kSundayAttribute,
                                                         kMayDayAttribute, kWorkedHolidayAttribute,
                                                         kHolidayAttribute};

// The field of a code line (from 1) that holds the rubric of an attribute; 0 for an attribute
// that holds no rubric.
constexpr std::int16_t fieldOf(int attribute) {
    for (std::size_t column = 0; column < kColumns.size(); ++column) {
        if (kColumns[column] == attribute) return static_cast<std::int16_t>(column + 1);
    }
    return 0;
}

// Calls visit(codes) for each line of a parameter record's text, line after line: codes holds the
// line's codes in the order of kColumns, "" where the line names no rubric of that kind. Returns
// the number of lines.
template <typename Visit>
std::size_t forEachLine(std::string_view text, Visit&& visit) {
    auto columns = std::apply(
        [text](auto... attributes) {
            return std::array{mvdb::Pieces(mvdb::nthPiece(text, mvdb::kAttributeMark, attributes),
                                           mvdb::kValueMark)...};
        },
        kColumns);
    std::array<std::string_view, kColumns.size()> codes;
    for (std::size_t lines = 0;; ++lines) {
        for (std::size_t column = 0; column < columns.size(); ++column)
            codes[column] = columns[column].next();
        if (codes[0].empty()) return lines;
        visit(codes);
    }
}

}  // namespace data
