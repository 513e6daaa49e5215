// The fields of a code line (entity/LineFormat.h): the codes of a line's five rubrics in the
// rubric order, separated by ";", a field empty where the line names no rubric of that kind.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace detail {

// Field n of the text, counted from 1: the text between the (n - 1)-th and the n-th ";", or the
// end of the text; a text without ";" is its own field 1. "" for n below 1 or past the last field.
std::string Extraire_Champ(const std::string& text, std::int16_t n);

// The five fields of a code line, cut in one pass, as Extraire_Champ gives fields 1 to 5.
using CodeFields = std::array<std::string_view, 5>;
CodeFields codeFields(std::string_view line);

// The number of a field's rubric code (012 is 12), as the rubric lists carry it in their item
// data; none for an empty field, which names no rubric, or for a text that is no code.
std::optional<std::int32_t> Valeur_Code(const std::string& code);

}  // namespace detail
