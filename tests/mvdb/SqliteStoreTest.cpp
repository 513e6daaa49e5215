// What only a database file meets: other programs that lock, change or damage the file, its
// removal or its permissions under an open handle, and files of the first layout.
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "OtherProgram.h"
#include "TestDatabase.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbError.h"

namespace mvdb {
namespace {

using testing::errorNumberOf;
using testing::OtherProgram;

constexpr const char* kStored = "14/03/2025^MDUPONT^^^101]102^^^^";
const OpenOptions kWaitingLittle{std::chrono::milliseconds(50)};

class SqliteStoreTest : public testing::TestDatabase {
protected:
    SqliteStoreTest() : database_(Database::Create(path())) {
        put(database_, "TPSPARAMBASCUL", "001", kStored);
    }

    DbFile parameters() const { return database_.OpenFile("TPSPARAMBASCUL"); }

    Database database_;
};

TEST_F(SqliteStoreTest, ADatabaseFileMustExistAndBeOneOfOurs) {
    EXPECT_EQ(errorNumberOf([&] { Database::Open(path("missing.mvdb")); }), kErrNoSuchDatabase);
    EXPECT_FALSE(std::filesystem::exists(path("missing.mvdb")));

    std::ofstream(path("notes.txt")) << "Paramètres du planning\n";
    EXPECT_EQ(errorNumberOf([&] { Database::Open(path("notes.txt")); }), kErrNotADatabase);
    OtherProgram(path("plain.sqlite")).run("CREATE TABLE t (x)");
    EXPECT_EQ(errorNumberOf([&] { Database::Open(path("plain.sqlite")); }), kErrNotADatabase);
}

TEST_F(SqliteStoreTest, AnotherProgramsLockFailsAWriteOrAnOpeningAndChangesNothing) {
    const Database waiting = Database::Open(path(), kWaitingLittle);
    DbRecord record = waiting.OpenFile("TPSPARAMBASCUL").ReadRecord("001");
    record.Replace(5, 0, 0, "999");
    {
        OtherProgram other(path());
        other.run("BEGIN IMMEDIATE");
        EXPECT_EQ(errorNumberOf([&] { record.DBWrite(); }), kErrDatabaseLocked);
        other.run("ROLLBACK");
    }
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), kStored);
    record.DBWrite();
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^999^^^^");

    Database::Create(path("locked.mvdb"));  // the whole lock is taken when nobody reads
    OtherProgram other(path("locked.mvdb"));
    other.run("PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;");
    EXPECT_EQ(errorNumberOf([&] { Database::Open(path("locked.mvdb"), kWaitingLittle); }),
              kErrDatabaseLocked);
}

TEST_F(SqliteStoreTest, AUnitOfWorkWaitsForAnotherProgramsWriteToEnd) {
    OtherProgram other(path());
    other.run("BEGIN IMMEDIATE");
    std::jthread otherEnds([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        other.run("COMMIT");
    });
    {
        Database::Transaction unit(database_);
        DbRecord record = parameters().ReadRecord("001");
        record.Replace(5, 1, 0, "110");
        record.DBWrite();
        unit.commit();
    }
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^110]102^^^^");
}

TEST_F(SqliteStoreTest, AWriteThatFailsInsideTheStorageLeavesTheRecordWhole) {
    OtherProgram(path()).run(
        "CREATE TRIGGER refuse BEFORE UPDATE ON records BEGIN SELECT RAISE(ABORT, 'disque plein'); "
        "END;");
    DbRecord record = parameters().ReadRecord("001");
    record.Assign(fromNotation("^^^^123]456]789"));
    const platform::ComponentError failure = test_support::failureOf([&] { record.DBWrite(); });
    EXPECT_EQ(failure.number(), kErrStorage);
    EXPECT_NE(std::string(failure.what()).find("disque plein"), std::string::npos);
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), kStored);
}

TEST_F(SqliteStoreTest, AWriteToADatabaseRemovedSinceItWasOpenedIsRefused) {
    DbRecord record = parameters().ReadRecord("001");
    std::filesystem::rename(path(), path("moved.mvdb"));
    EXPECT_EQ(errorNumberOf([&] { record.DBWrite(); }), kErrNoSuchDatabase);
    EXPECT_EQ(errorNumberOf([&] { database_.CreateFile("RUBSAISIE"); }), kErrNoSuchDatabase);
    std::filesystem::rename(path("moved.mvdb"), path());
    record.Replace(5, 1, 0, "110");
    record.DBWrite();
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^110]102^^^^");
}

// A database file as the first version of the program made it, which kept no versions.
void makeFirstLayout(const std::string& file) {
    OtherProgram(file).run(
        "PRAGMA journal_mode = WAL; PRAGMA application_id = 1297499202; PRAGMA user_version = 1;"
        "CREATE TABLE files (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);"
        "CREATE TABLE records (file INTEGER NOT NULL REFERENCES files (id), key TEXT NOT NULL,"
        " text BLOB NOT NULL, PRIMARY KEY (file, key)) WITHOUT ROWID;"
        "INSERT INTO files VALUES (1, 'TPSPARAMBASCUL'), (2, 'RUBSAISIE');"
        "INSERT INTO records VALUES (1, '001', X'FEFEFEFE313031'),"
        " (2, '101', CAST('Heures normales' AS BLOB));");
}

TEST_F(SqliteStoreTest, AFileOfTheFirstLayoutKeepsEveryRecordAndItsWritersAreChecked) {
    makeFirstLayout(path("first.mvdb"));
    const Database reader =
        Database::Open(path("first.mvdb"), {std::chrono::milliseconds(50), true});
    DbRecord read = reader.OpenFile("TPSPARAMBASCUL").ReadRecord("001");

    const Database clerk = Database::Open(path("first.mvdb"));
    DbRecord mine = clerk.OpenFile("TPSPARAMBASCUL").ReadRecord("001");
    DbRecord theirs = clerk.OpenFile("TPSPARAMBASCUL").ReadRecord("001");
    EXPECT_EQ(read.Extract(), mine.Extract());
    theirs.Replace(5, 2, 0, "103");
    theirs.DBWrite();
    mine.Replace(5, 2, 0, "104");
    EXPECT_EQ(errorNumberOf([&] { mine.DBWrite(); }), kErrRecordChanged);
    EXPECT_EQ(stored(reader, "TPSPARAMBASCUL", "001"), "^^^^101]103");
    EXPECT_EQ(stored(clerk, "RUBSAISIE", "101"), "Heures normales");
}

}  // namespace
}  // namespace mvdb
