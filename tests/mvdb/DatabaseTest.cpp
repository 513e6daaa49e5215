// The contract of the database component, which both stores keep alike: each test runs once on
// an SQLite file and once on a PostgreSQL server's database.
#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "TestDatabase.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbError.h"

namespace mvdb {
namespace {

using testing::errorNumberOf;
using namespace std::string_literals;

constexpr const char* kStored = "14/03/2025^MDUPONT^^^101]102^^^^";

class DatabaseTest : public testing::StoreTest {
protected:
    DatabaseTest() : database_(Database::Create(location())) {
        put(database_, "TPSPARAMBASCUL", "001", kStored);
    }

    DbFile parameters() const { return database_.OpenFile("TPSPARAMBASCUL"); }
    // Another user's handle on the same database.
    Database otherUser() { return Database::Open(location(), {std::chrono::milliseconds(50)}); }

    Database database_;
};

TEST_P(DatabaseTest, ARecordWritesItselfBackAndANewOneIsStoredOnlyByItsWrite) {
    {
        DbRecord record = parameters().ReadRecord("001");
        EXPECT_EQ(record.Key(), "001");
        EXPECT_EQ(record.Extract(5, 2), "102");
        record.Replace(5, 0, 0, "");
        record.Replace(5, 1, 0, "110");
        record.DBWrite();
        record.Replace(6, 1, 0, "120");
        record.DBWrite();  // its own write is no other user's
        EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "14/03/2025^MDUPONT^^^110^120^^^");
    }
    std::optional<DbRecord> record = parameters().NewRecord("007");
    EXPECT_EQ(record->Extract(), "");
    EXPECT_EQ(errorNumberOf([&] { parameters().ReadRecord("007"); }), kErrNoSuchRecord);

    database_ = Database::Create(location("other.mvdb"));  // the test's handles are all gone
    record->Replace(5, 1, 0, "101");
    record->DBWrite();
    record.reset();
    EXPECT_EQ(stored(Database::Open(location()), "TPSPARAMBASCUL", "007"), "^^^^101");
}

TEST_P(DatabaseTest, NamesKeysAndTextsAreBytesListedInByteOrder) {
    const std::string text = "Heures\0de nuit\xE9\xFF]1"s;
    const DbFile rubrics = database_.CreateFile("RUBSAISIE");
    for (const std::string key : {"7", "101", "\xC3\xA9t\xE9", "Z", "a\x01", "a"})
        rubrics.WriteRecord(key, text);
    put(database_, "\xE9t\xE9", "001", "Aide et Présence");
    EXPECT_EQ(database_.FileNames(),
              (std::vector<std::string>{"RUBSAISIE", "TPSPARAMBASCUL", "\xE9t\xE9"}));
    EXPECT_EQ(database_.OpenFile("RUBSAISIE").Keys(),
              (std::vector<std::string>{"101", "7", "Z", "a", "a\x01", "\xC3\xA9t\xE9"}));
    EXPECT_EQ(database_.OpenFile("RUBSAISIE").ReadRecord("\xC3\xA9t\xE9").Extract(), text);
}

TEST_P(DatabaseTest, EachMisuseFailsWithItsOwnNumberAndADatabaseIsCreatedOnce) {
    const platform::ComponentError missing =
        test_support::failureOf([&] { parameters().ReadRecord("002"); });
    EXPECT_EQ(missing.number(), -2147221493);
    EXPECT_STREQ(missing.what(),
                 "L'enregistrement « 002 » n'existe pas dans le fichier TPSPARAMBASCUL.");
    EXPECT_EQ(errorNumberOf([&] { parameters().ReadRecord(""); }), kErrNoSuchRecord);
    // Names and keys must be non-empty and free of marks.
    EXPECT_EQ(errorNumberOf([&] { parameters().NewRecord(""); }), kErrBadName);
    EXPECT_EQ(errorNumberOf([&] { parameters().WriteRecord("0\xFD"s + "1", "x"); }), kErrBadName);
    EXPECT_EQ(errorNumberOf([&] { database_.CreateFile(""); }), kErrBadName);
    EXPECT_EQ(errorNumberOf([&] { database_.CreateFile("TPSPARAMBASCUL"); }), kErrFileExists);
    EXPECT_EQ(errorNumberOf([&] { database_.OpenFile("RUBSAISIE"); }), kErrNoSuchFile);
    EXPECT_EQ(errorNumberOf([&] { Database::Create(location()); }), kErrDatabaseExists);
    EXPECT_EQ(stored(Database::Open(location()), "TPSPARAMBASCUL", "001"), kStored);

    // Deleting the last record keeps its file.
    parameters().DeleteRecord("001");
    EXPECT_TRUE(parameters().Keys().empty());
    EXPECT_EQ(errorNumberOf([&] { parameters().DeleteRecord("001"); }), kErrNoSuchRecord);
}

TEST_P(DatabaseTest, AReadOnlyDatabaseRefusesWritesAndKeepsItsRecords) {
    const Database readOnly = Database::Open(location(), {std::chrono::milliseconds(50), true});
    DbRecord record = readOnly.OpenFile("TPSPARAMBASCUL").ReadRecord("001");
    record.Replace(5, 1, 0, "999");
    EXPECT_EQ(errorNumberOf([&] { record.DBWrite(); }), kErrDatabaseReadOnly);
    EXPECT_EQ(errorNumberOf([&] { readOnly.CreateFile("RUBSAISIE"); }), kErrDatabaseReadOnly);
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), kStored);
}

TEST_P(DatabaseTest, ATransactionKeepsItsWritesOnlyWhenCommitted) {
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
    EXPECT_EQ(stored(Database::Open(location()), "TPSPARAMBASCUL", "002"), "^^^^102");
}

TEST_P(DatabaseTest, SeveralRecordsAreReadAtOnceInTheOrderAsked) {
    put(database_, "TPSPARAMBASCUL", "003", "^^^^103");
    const std::vector<std::string> keys = {"003", "002", "", "001", "003"};
    const std::vector<std::optional<DbRecord>> records = parameters().ReadRecords(keys);
    ASSERT_EQ(records.size(), keys.size());
    EXPECT_EQ(records[0]->Extract(5), "103");
    EXPECT_FALSE(records[1]);
    EXPECT_FALSE(records[2]);
    EXPECT_EQ(records[3]->Key(), "001");
    EXPECT_EQ(records[4]->Extract(5), "103");
    records[3]->DBWrite();  // read at its version, as one read alone
}

TEST_P(DatabaseTest, ASnapshotReadsOneStateWhateverAnotherUserWrites) {
    const Database other = otherUser();
    std::string during;
    std::int32_t otherWrite = 0;
    {
        const Database::Snapshot reading(database_);
        EXPECT_EQ(toNotation(parameters().ReadRecord("001").Extract()), kStored);
        // The file makes the other user wait for the end of the reading (here, past his wait);
        // the server lets him write, unseen by the reading.
        otherWrite =
            errorNumberOf([&] { other.OpenFile("TPSPARAMBASCUL").WriteRecord("001", "changé"); });
        during = toNotation(parameters().ReadRecord("001").Extract());
    }
    EXPECT_EQ(during, kStored);
    EXPECT_EQ(otherWrite, GetParam() == testing::StoreKind::kFile ? kErrDatabaseLocked : 0);
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), otherWrite == 0 ? "changé" : kStored);
}

// What another user does to record 001 between this user's reading and writing, and what the
// refusal then says.
struct Meanwhile {
    const char* name;
    const char* key;
    std::function<void(const DbFile&)> act;
    const char* what;
    const char* storedAfter;  // nullptr: no record
};

class ConflictTest : public DatabaseTest {};

TEST_P(ConflictTest, AWriteOverAnotherUsersWriteIsRefusedAndChangesNothing) {
    const Database other = otherUser();
    const std::vector<Meanwhile> cases = {
        {"Changed", "001",
         [](const DbFile& file) {
             DbRecord theirs = file.ReadRecord("001");
             theirs.Replace(5, 2, 0, "");
             theirs.DBWrite();
         },
         "modifié", "14/03/2025^MDUPONT^^^101]^^^^"},
        {"Deleted", "001", [](const DbFile& file) { file.DeleteRecord("001"); }, "supprimé",
         nullptr},
        {"Created", "002",
         [](const DbFile& file) { file.WriteRecord("002", fromNotation("^^^^103")); }, "créé",
         "^^^^103"},
        {"ChangedBackAsItWas", "001",
         [](const DbFile& file) {
             file.WriteRecord("001", fromNotation("^^^^999"));
             file.WriteRecord("001", fromNotation(kStored));
         },
         "modifié", kStored},
    };
    for (const Meanwhile& meanwhile : cases) {
        SCOPED_TRACE(meanwhile.name);
        put(database_, "TPSPARAMBASCUL", "001", kStored);
        DbRecord mine = std::string(meanwhile.key) == "001" ? parameters().ReadRecord("001")
                                                            : parameters().NewRecord("002");
        mine.Replace(5, 3, 0, "110");
        meanwhile.act(other.OpenFile("TPSPARAMBASCUL"));
        const platform::ComponentError refusal = test_support::failureOf([&] { mine.DBWrite(); });
        EXPECT_EQ(refusal.number(), kErrRecordChanged);
        EXPECT_EQ(std::string(refusal.what()),
                  "L'enregistrement « " + std::string(meanwhile.key) +
                      " » du fichier TPSPARAMBASCUL a été " + meanwhile.what +
                      " par un autre utilisateur depuis sa lecture ; rien n'a été enregistré.");
        const std::optional<DbRecord> after =
            parameters().ReadRecords(std::vector<std::string>{meanwhile.key})[0];
        EXPECT_EQ(after ? toNotation(after->Extract()) : "none",
                  meanwhile.storedAfter ? meanwhile.storedAfter : "none");
    }
}

TEST_P(ConflictTest, WritingOutrightReplacesWhateverAnotherUserWrote) {
    DbRecord mine = parameters().ReadRecord("001");
    otherUser().OpenFile("TPSPARAMBASCUL").DeleteRecord("001");
    parameters().WriteRecord("001", fromNotation("^^^^101"));
    EXPECT_EQ(errorNumberOf([&] { mine.DBWrite(); }), kErrRecordChanged);
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "^^^^101");
}

INSTANTIATE_TEST_SUITE_P(Stores, DatabaseTest, testing::kBothStores, testing::storeName);
INSTANTIATE_TEST_SUITE_P(Stores, ConflictTest, testing::kBothStores, testing::storeName);

}  // namespace
}  // namespace mvdb
