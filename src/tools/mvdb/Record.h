// A record as the tool carries it between the database and its own formats: a key and the
// dynamic array's whole text, marks and all.
#pragma once

#include <string>

namespace mvdbtool {

struct Record {
    std::string key;
    std::string text;
};

}  // namespace mvdbtool
