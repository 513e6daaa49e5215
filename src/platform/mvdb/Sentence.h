// Selection sentences: the text that names which records of a file a query selects, and in which
// order.
//
//   sentence := verb file clause...
//   verb     := SELECT | SSELECT          both give the records in the order below
//   clause   := (WITH | AVEC) test (OR test)...   the record passes when one test holds;
//                                                  a record must pass every WITH clause
//             | (BY | PAR) field          sorts by that field; several BY clauses sort in turn
//   test     := [field] = value           after OR the field may be left out: the previous one
//   field    := a whole number; 0 is the record's key, n its attribute n
//   value    := "text" or 'text'
//
// Words are separated by one or more blanks; keywords are read in any letter case (OU stands for
// OR), the file name exactly. A sentence that does not parse fails with kErrSentence, whose text
// names the word (counted from 1) where the reading stopped and what was expected there.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mvdb {

struct Sentence {
    struct Test {
        int field;
        std::string value;
    };
    using Condition = std::vector<Test>;  // holds when one of its tests holds

    std::string file;
    std::vector<Condition> conditions;  // all must hold
    std::vector<int> sortFields;
};

Sentence parseSentence(std::string_view text);

// A field number: a whole number of 0 or more, and nothing else in the word.
std::optional<int> parseFieldNumber(std::string_view word);

}  // namespace mvdb
