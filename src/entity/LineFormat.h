// The two forms of one line of an entity's parameters on the screen.
//
// Display line (an item of Lst_Detail): five columns of exactly kColumnWidth characters, one per
// rubric in the order of data::kColumns. A rubric that is set shows its code, "-" and its label,
// cut to kShownWidth characters and filled with spaces to kColumnWidth, so that every column ends
// with a space; a rubric that is not set, or has no label, shows kColumnWidth spaces.
//
// The line editor builds the same columns from its selectors, with the first kEditorLabelWidth
// characters of the chosen rubric's label: with a code of three digits, the column read from a
// record.
//
// Code line (the item of Lst_Codes at the same index): the five codes in the same order, joined
// by ";", a code left empty where its column is blank: always five fields and four separators.
//
// Widths count characters, not bytes: a label in UTF-8 is never cut inside a character.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "screen/Screen.h"

namespace entity {

inline constexpr std::size_t kColumnWidth = screen::kLineColumnWidth;
inline constexpr std::size_t kShownWidth = kColumnWidth - 1;
inline constexpr std::size_t kEditorLabelWidth = 26;
inline constexpr char kCodeSeparator = ';';

// The column of a rubric that is set: its code, "-" and its label, cut and filled.
std::string columnText(std::string_view code, std::string_view label);
// The same column, appended to line.
void appendColumn(std::string& line, std::string_view code, std::string_view label);

// The column of a rubric chosen in the line editor: its code, "-" and the start of its label.
std::string editorColumn(std::string_view code, std::string_view label);

// The column of a rubric that is not set, appended to line.
void appendBlankColumn(std::string& line);

// The five codes of a line joined by ";".
std::string codeLine(const std::array<std::string, 5>& codes);

}  // namespace entity
