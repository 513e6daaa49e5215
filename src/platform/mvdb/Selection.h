// Running a query command: which records a selection sentence selects, and what is answered.
//
// Command: a DynArray whose attribute 1 is the sentence (Sentence.h), attribute 2 the file name
// (the sentence's own, or empty) and attribute 3 the field list: field numbers separated by
// blanks, field 0 being the key; an empty list answers the keys alone.
//
// Selection: a test  field = "value"  holds when the field equals the value, or when one of the
// field's values does. Order: by the BY fields in turn, each compared as Collation.h says;
// records equal on every BY field, and all records of a sentence without BY, come in the byte
// order of their keys. The sort is stable.
//
// Result: one attribute per selected record, in that order; in each, value n holds the n-th
// field of the list. The values of a multivalued field become subvalues of its value, so that
// the fields after it keep their places. Nothing selected gives the empty text. count receives
// the number of records selected.
//
// Failures: kErrSentence (Sentence.h); kErrQueryCommand when attribute 2 names another file than
// the sentence, when the field list holds anything but field numbers, or when the option is not
// empty (no option is known); kErrNoSuchFile when the sentence's file does not exist.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/mvdb/DynArray.h"

namespace mvdb {

class Store;

DynArray runSelection(Store& store, std::string_view command, std::string_view option,
                      std::int32_t& count);

}  // namespace mvdb
