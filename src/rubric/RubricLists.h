// The five rubric lists of the line editor, one item per rubric that may receive hours: the
// records of RUBSAISIE whose field 2 is 3, 4 or 5, ordered by label, answered with the key, the
// label, field 2 and field 18; a rubric whose field 18 is not empty is left out.
//
// The five lists get the same items in the same order (text: the label as stored; item data: the
// rubric's code, RubricCode.h), so that one index names one rubric in all five.
#pragma once

#include "platform/mvdb/DynArray.h"

namespace rubric {

// The query command of the lists.
mvdb::DynArray rubricQuery();

}  // namespace rubric
