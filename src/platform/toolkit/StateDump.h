// A printout of the whole state of a surface, for the headless driver and for people reading a
// test's output: one line a widget in tab order, then one a menu entry, each with the fields its
// kind has, then a list's items indented, one a line:
//
//   Txt_Entite textbox enabled=True visible=True text="007"
//   Cbo_Entite combobox enabled=False visible=True text="Association" listindex=0 count=2
//     [0] data=0 "Association"
//
// Texts are quoted, with a double quote or a backslash inside escaped by a backslash.
#pragma once

#include <string>

namespace toolkit {

class Surface;

std::string dumpState(const Surface& surface);

}  // namespace toolkit
