// A record as the tool carries it between the database and its own formats: a key and the
// dynamic array's whole text, marks and all; a file as its name and its records.
#pragma once

#include <string>
#include <vector>

namespace mvdbtool {

struct Record {
    std::string key;
    std::string text;
};

struct RecordFile {
    std::string name;
    std::vector<Record> records;
};

}  // namespace mvdbtool
