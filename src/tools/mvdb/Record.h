// A record as the tool carries it between the database and its own formats: a key and the
// dynamic array's whole text, marks and all, and, from a dump, its version; a file as its name,
// its records and, from a dump, its history.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/mvdb/Store.h"

namespace mvdbtool {

struct Record {
    std::string key;
    std::string text;
    std::optional<mvdb::Store::Version> version;
};

struct RecordFile {
    std::string name;
    std::vector<Record> records;
    std::vector<mvdb::Store::KeyedChange> history;
};

}  // namespace mvdbtool
