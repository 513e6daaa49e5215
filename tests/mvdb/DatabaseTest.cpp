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

class DatabaseTest : public testing::TestDatabase {
protected:
    DatabaseTest() : database_(Database::Create(path())) {
        put(database_, "TPSPARAMBASCUL", "001", "14/03/2025^MDUPONT^^^101]102^^^^");
    }

    DbFile parameters() const { return database_.OpenFile("TPSPARAMBASCUL"); }

    Database database_;
};

TEST_F(DatabaseTest, AMissingRecordFailsWithItsOwnNumber) {
    try {
        parameters().ReadRecord("002");
        FAIL() << "no error";
    } catch (const DbError& error) {
        EXPECT_EQ(error.number(), static_cast<std::int32_t>(0x8004000B));
        EXPECT_EQ(error.number(), -2147221493);
        EXPECT_STREQ(error.what(),
                     "L'enregistrement « 002 » n'existe pas dans le fichier TPSPARAMBASCUL.");
    }
    EXPECT_EQ(errorNumberOf([&] { parameters().ReadRecord(""); }), kErrNoSuchRecord);
}

TEST_F(DatabaseTest, ARecordKnowsItsFileAndKeySoThatItWritesItselfBack) {
    DbRecord record = parameters().ReadRecord("001");
    EXPECT_EQ(record.Key(), "001");
    EXPECT_EQ(record.Extract(5, 2), "102");
    record.Replace(5, 0, 0, "");
    record.Replace(5, 1, 0, "110");
    record.DBWrite();
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^110^^^^");
}

TEST_F(DatabaseTest, ANewRecordIsStoredOnlyByItsWriteAndOutlivesItsHandles) {
    std::optional<DbRecord> record = parameters().NewRecord("007");
    EXPECT_EQ(record->Extract(), "");
    EXPECT_EQ(errorNumberOf([&] { parameters().ReadRecord("007"); }), kErrNoSuchRecord);

    database_ = Database::Create(path("other.mvdb"));  // the test's handles are all gone
    record->Replace(5, 1, 0, "101");
    record->DBWrite();
    record.reset();
    EXPECT_EQ(stored(Database::Open(path()), "TPSPARAMBASCUL", "007"), "^^^^101");
}

TEST_F(DatabaseTest, FilesAndKeysAreListedInByteOrder) {
    put(database_, "RUBSAISIE", "7", "Heures de nuit");
    put(database_, "RUBSAISIE", "101", "Heures normales");
    put(database_, "ASSOCIATION", "001", "Aide et Présence");
    EXPECT_EQ(database_.FileNames(),
              (std::vector<std::string>{"ASSOCIATION", "RUBSAISIE", "TPSPARAMBASCUL"}));
    EXPECT_EQ(database_.OpenFile("RUBSAISIE").Keys(), (std::vector<std::string>{"101", "7"}));
}

TEST_F(DatabaseTest, DeletingTheLastRecordKeepsItsFile) {
    parameters().DeleteRecord("001");
    EXPECT_TRUE(parameters().Keys().empty());
    EXPECT_EQ(errorNumberOf([&] { parameters().DeleteRecord("001"); }), kErrNoSuchRecord);
}

TEST_F(DatabaseTest, NamesAndKeysMustBeNonEmptyAndFreeOfMarks) {
    EXPECT_EQ(errorNumberOf([&] { parameters().NewRecord(""); }), kErrBadName);
    EXPECT_EQ(errorNumberOf([&] {
                  parameters().NewRecord(
                      "0\xFD"
                      "1");
              }),
              kErrBadName);
    EXPECT_EQ(errorNumberOf([&] { database_.CreateFile(""); }), kErrBadName);
    EXPECT_EQ(errorNumberOf([&] { database_.CreateFile("TPSPARAMBASCUL"); }), kErrFileExists);
}

TEST_F(DatabaseTest, OpeningAFileThatDoesNotExistNamesIt) {
    try {
        database_.OpenFile("RUBSAISIE");
        FAIL() << "no error";
    } catch (const DbError& error) {
        EXPECT_EQ(error.number(), kErrNoSuchFile);
        EXPECT_NE(std::string(error.what()).find("RUBSAISIE"), std::string::npos);
    }
}

TEST_F(DatabaseTest, ADatabaseFileMustExistAndBeOneOfOurs) {
    EXPECT_EQ(errorNumberOf([&] { Database::Open(path("missing.mvdb")); }), kErrNoSuchDatabase);
    EXPECT_FALSE(std::filesystem::exists(path("missing.mvdb")));
    EXPECT_EQ(errorNumberOf([&] { Database::Create(path()); }), kErrDatabaseExists);
    EXPECT_EQ(stored(Database::Open(path()), "TPSPARAMBASCUL", "001"),
              "14/03/2025^MDUPONT^^^101]102^^^^");

    std::ofstream(path("notes.txt")) << "Paramètres du planning\n";
    EXPECT_EQ(errorNumberOf([&] { Database::Open(path("notes.txt")); }), kErrNotADatabase);
    OtherProgram(path("plain.sqlite")).run("CREATE TABLE t (x)");
    EXPECT_EQ(errorNumberOf([&] { Database::Open(path("plain.sqlite")); }), kErrNotADatabase);
}

TEST_F(DatabaseTest, AWriteBlockedByAnotherProgramFailsAndChangesNothing) {
    const Database waiting = Database::Open(path(), {std::chrono::milliseconds(50), false});
    DbRecord record = waiting.OpenFile("TPSPARAMBASCUL").ReadRecord("001");
    record.Replace(5, 0, 0, "999");
    {
        OtherProgram other(path());
        other.run("BEGIN IMMEDIATE");
        EXPECT_EQ(errorNumberOf([&] { record.DBWrite(); }), kErrDatabaseLocked);
        other.run("ROLLBACK");
    }
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^101]102^^^^");
    record.DBWrite();
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^999^^^^");
}

TEST_F(DatabaseTest, AUnitOfWorkWaitsForAnotherProgramsWriteToEnd) {
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

TEST_F(DatabaseTest, ADatabaseLockedWholeByAnotherProgramCannotBeOpened) {
    database_ = Database::Create(path("other.mvdb"));  // the lock is taken when nobody reads
    OtherProgram other(path());
    other.run("PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;");
    EXPECT_EQ(errorNumberOf([&] {
                  Database::Open(path(), {std::chrono::milliseconds(50), false});
              }),
              kErrDatabaseLocked);
}

TEST_F(DatabaseTest, AReadOnlyDatabaseRefusesWritesAndKeepsItsRecords) {
    const Database readOnly = Database::Open(path(), {std::chrono::milliseconds(50), true});
    DbRecord record = readOnly.OpenFile("TPSPARAMBASCUL").ReadRecord("001");
    record.Replace(5, 1, 0, "999");
    EXPECT_EQ(errorNumberOf([&] { record.DBWrite(); }), kErrDatabaseReadOnly);
    EXPECT_EQ(errorNumberOf([&] { readOnly.CreateFile("RUBSAISIE"); }), kErrDatabaseReadOnly);
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^101]102^^^^");
}

TEST_F(DatabaseTest, AWriteThatFailsInsideTheStorageLeavesTheRecordWhole) {
    OtherProgram(path()).run(
        "CREATE TRIGGER refuse BEFORE UPDATE ON records BEGIN SELECT RAISE(ABORT, 'disque plein'); "
        "END;");
    DbRecord record = parameters().ReadRecord("001");
    record.Assign(fromNotation("^^^^123]456]789"));
    try {
        record.DBWrite();
        FAIL() << "no error";
    } catch (const DbError& error) {
        EXPECT_EQ(error.number(), kErrStorage);
        EXPECT_NE(std::string(error.what()).find("disque plein"), std::string::npos);
    }
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^101]102^^^^");
}

TEST_F(DatabaseTest, AWriteToADatabaseRemovedSinceItWasOpenedIsRefused) {
    DbRecord record = parameters().ReadRecord("001");
    std::filesystem::rename(path(), path("moved.mvdb"));
    EXPECT_EQ(errorNumberOf([&] { record.DBWrite(); }), kErrNoSuchDatabase);
    EXPECT_EQ(errorNumberOf([&] { database_.CreateFile("RUBSAISIE"); }), kErrNoSuchDatabase);
    std::filesystem::rename(path("moved.mvdb"), path());
    record.Replace(5, 1, 0, "110");
    record.DBWrite();
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^110]102^^^^");
}

TEST_F(DatabaseTest, ATransactionKeepsItsWritesOnlyWhenCommitted) {
    {
        Database::Transaction dropped(database_);
        put(database_, "RUBSAISIE", "101", "Heures normales");
        {
            Database::Transaction inner(database_);
            put(database_, "TPSPARAMBASCUL", "002", "^^^^102");
            inner.commit();
        }
    }
    EXPECT_EQ(database_.FileNames(), (std::vector<std::string>{"TPSPARAMBASCUL"}));
    EXPECT_EQ(parameters().Keys(), (std::vector<std::string>{"001"}));

    Database::Transaction kept(database_);
    put(database_, "TPSPARAMBASCUL", "002", "^^^^102");
    kept.commit();
    EXPECT_EQ(stored(Database::Open(path()), "TPSPARAMBASCUL", "002"), "^^^^102");
}

}  // namespace
}  // namespace mvdb
