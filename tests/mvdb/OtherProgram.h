// Another program's connection to the SQLite file of a database: what locks it, changes it
// behind the component's back, or damages it.
#pragma once

#include <string>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace mvdb::testing {

class OtherProgram {
public:
    explicit OtherProgram(const std::string& path) { sqlite3_open(path.c_str(), &connection_); }
    ~OtherProgram() { sqlite3_close(connection_); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    void run(const char* sql) {
        char* message = nullptr;
        ASSERT_EQ(sqlite3_exec(connection_, sql, nullptr, nullptr, &message), SQLITE_OK)
            << (message ? message : "");
    }

private:
    sqlite3* connection_ = nullptr;
};

}  // namespace mvdb::testing
