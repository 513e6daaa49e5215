// The ^ ] \ notation: a dynamic array's text written as one printable line, for people and
// scripts (the mvdb tool, the host's script expectations).
//
// The attribute mark is written ^, the value mark ], the subvalue mark \. So that every text can
// be written and read back exactly, a byte that would be misread is written %HH (two hex digits):
// a literal ^ ] or \ (%5E %5D %5C), a control character or DEL, a byte that is not part of a UTF-8
// character, and a % that two hex digits follow (%25). Any other % stands for itself, so
// "Majoration 25 %" is written as it is.
#pragma once

#include <string>
#include <string_view>

namespace mvdb {

std::string toNotation(std::string_view text);
std::string fromNotation(std::string_view notation);

}  // namespace mvdb
