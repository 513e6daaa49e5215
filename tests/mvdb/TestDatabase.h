// A fresh database in a folder of its own, removed with the test, or on the run's PostgreSQL
// server; a test that holds for both stores runs once on each (StoreTest).
#pragma once

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "TestSupport.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Notation.h"
#include "support/PostgresServer.h"

namespace mvdb::testing {

// The two stores of the database component: an SQLite file, a PostgreSQL server's database.
enum class StoreKind { kFile, kServer };

inline void PrintTo(StoreKind kind, std::ostream* out) {
    *out << (kind == StoreKind::kFile ? "File" : "Server");
}

inline const auto kBothStores = ::testing::Values(StoreKind::kFile, StoreKind::kServer);

class TestDatabase : public ::testing::Test {
protected:
    TestDatabase() : folder_("mvdb") {}

    std::string path(const std::string& name = "test.mvdb") const { return folder_.path() / name; }

    // A location where Database::Create makes a new database of that kind: a file of the test's
    // folder, or a new, empty database of the run's server.
    std::string freshLocation(StoreKind kind, const std::string& name = "test.mvdb") const {
        if (kind == StoreKind::kFile) return path(name);
        return test_support::PostgresServer::shared().newDatabase();
    }

    // Writes a record given in ^ ] \ notation over whatever is stored, creating its file when
    // needed.
    static void put(const Database& database, const std::string& file, const std::string& key,
                    const std::string& notation) {
        const std::vector<std::string> names = database.FileNames();
        const DbFile handle = std::find(names.begin(), names.end(), file) != names.end()
                                  ? database.OpenFile(file)
                                  : database.CreateFile(file);
        handle.WriteRecord(key, fromNotation(notation));
    }

    static std::string stored(const Database& database, const std::string& file,
                              const std::string& key) {
        return toNotation(database.OpenFile(file).ReadRecord(key).Extract());
    }

private:
    test_support::TestFolder folder_;
};

// A test that runs once on each store; location(name) is the same location for the same name
// throughout the test.
class StoreTest : public TestDatabase, public ::testing::WithParamInterface<StoreKind> {
protected:
    const std::string& location(const std::string& name = "test.mvdb") {
        std::string& location = locations_[name];
        if (location.empty()) location = freshLocation(GetParam(), name);
        return location;
    }

private:
    std::map<std::string, std::string> locations_;
};

using test_support::errorNumberOf;

}  // namespace mvdb::testing
