// The list of legal entities of the screen's entity selector: every record of ASSOCIATION,
// ordered by name, answered with its code (the key), its name and its field 38.
//
// Row r of the control's mListeEntites (from 1) is entry r - 1 of Cbo_Entite: value 1 is the
// entity's code, value 2 its name as shown. The list ends before the first empty row.
#pragma once

#include "platform/mvdb/DynArray.h"

namespace entity {

// The query command of the list.
mvdb::DynArray entityQuery();

}  // namespace entity
