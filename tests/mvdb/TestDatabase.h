// A fresh database in a folder of its own, removed with the test.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "TestSupport.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Notation.h"

namespace mvdb::testing {

class TestDatabase : public ::testing::Test {
protected:
    TestDatabase() : folder_("mvdb") {}

    std::string path(const std::string& name = "test.mvdb") const { return folder_.path() / name; }

    // Writes a record given in ^ ] \ notation, creating its file when needed.
    static void put(const Database& database, const std::string& file, const std::string& key,
                    const std::string& notation) {
        const std::vector<std::string> names = database.FileNames();
        const DbFile handle = std::find(names.begin(), names.end(), file) != names.end()
                                  ? database.OpenFile(file)
                                  : database.CreateFile(file);
        DbRecord record = handle.NewRecord(key);
        record.Assign(fromNotation(notation));
        record.DBWrite();
    }

    static std::string stored(const Database& database, const std::string& file,
                              const std::string& key) {
        return toNotation(database.OpenFile(file).ReadRecord(key).Extract());
    }

private:
    test_support::TestFolder folder_;
};

// Runs call and answers the number of the DbError it throws, or 0 when it throws none.
template <class Call>
std::int32_t errorNumberOf(Call&& call) {
    try {
        call();
    } catch (const DbError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace mvdb::testing
