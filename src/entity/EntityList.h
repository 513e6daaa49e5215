// The list of legal entities of the screen's entity selector: every record of ASSOCIATION,
// ordered by name, answered with its code (the key), its name and its field 38.
//
// Row r of the control's mListeEntites (from 1) is entry r - 1 of Cbo_Entite: value 1 is the
// entity's code, value 2 its name as shown. The list ends before the first empty row.
#pragma once

#include <string>
#include <string_view>

#include "platform/mvdb/DynArray.h"

namespace entity {

inline constexpr int kCodeValue = 1;
inline constexpr int kNameValue = 2;

// The query command of the list.
mvdb::DynArray entityQuery();

// The first row of the list whose code is exactly code; 0 when none has it before the list ends.
int entityRow(const mvdb::DynArray& list, std::string_view code);

// The code of row (from 1); "" for a row outside the list.
std::string entityCode(const mvdb::DynArray& list, int row);

}  // namespace entity
