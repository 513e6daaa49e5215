// The contract of the database component, which both stores keep alike: each test runs once on
// an SQLite file and once on a PostgreSQL server's database. Each query gives the same answer, in
// the same order, on both stores.
#include <functional>
#include <optional>
#include <random>
#include <thread>
#include <tuple>

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include "OtherProgram.h"
#include "TestDatabase.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Selection.h"

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

TEST_P(DatabaseTest, EachMisuseAndEachWriteToAReadOnlyDatabaseFailWithTheirOwnNumbers) {
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
    // A key or a name has at most kMaxNameBytes bytes, which both stores keep, however random.
    std::string longest;
    std::mt19937 bytes(11);
    while (longest.size() < kMaxNameBytes)
        longest += static_cast<char>('!' + bytes() % 90);
    parameters().WriteRecord(longest, "x");
    EXPECT_EQ(parameters().ReadRecord(longest).Extract(), "x");
    parameters().DeleteRecord(longest);
    EXPECT_EQ(errorNumberOf([&] { parameters().NewRecord(longest + "k"); }), kErrBadName);
    EXPECT_EQ(errorNumberOf([&] { database_.CreateFile(longest + "k"); }), kErrBadName);
    EXPECT_EQ(errorNumberOf([&] { database_.CreateFile("TPSPARAMBASCUL"); }), kErrFileExists);
    EXPECT_EQ(errorNumberOf([&] { database_.OpenFile("RUBSAISIE"); }), kErrNoSuchFile);
    EXPECT_EQ(errorNumberOf([&] { Database::Create(location()); }), kErrDatabaseExists);
    // A read-only database refuses writes.
    const Database readOnly = Database::Open(location(), {std::chrono::milliseconds(50), true});
    DbRecord record = readOnly.OpenFile("TPSPARAMBASCUL").ReadRecord("001");
    record.Replace(5, 1, 0, "999");
    EXPECT_EQ(errorNumberOf([&] { record.DBWrite(); }), kErrDatabaseReadOnly);
    EXPECT_EQ(errorNumberOf([&] { readOnly.CreateFile("RUBSAISIE"); }), kErrDatabaseReadOnly);
    EXPECT_EQ(stored(Database::Open(location()), "TPSPARAMBASCUL", "001"), kStored);

    // Deleting the last record keeps its file.
    parameters().DeleteRecord("001");
    EXPECT_TRUE(parameters().Keys().empty());
    EXPECT_EQ(errorNumberOf([&] { parameters().DeleteRecord("001"); }), kErrNoSuchRecord);
}

TEST_P(DatabaseTest, ATransactionDroppedUndoesTheUnitsCommittedWithinIt) {
    {
        Database::Transaction dropped(database_);
        put(database_, "RUBSAISIE", "101", "Heures normales");
        Database::Transaction inner(database_);
        put(database_, "TPSPARAMBASCUL", "002", "^^^^102");
        inner.commit();
    }
    EXPECT_EQ(database_.FileNames(), (std::vector<std::string>{"TPSPARAMBASCUL"}));
    EXPECT_EQ(parameters().Keys(), (std::vector<std::string>{"001"}));
}

// Each write and each deletion of a record is kept in its history, with the text it replaced, its
// time and its user, in the transaction of the write: a refused write and an undone one leave
// none. A version's text is written back as a new version, unless the record changed since it was
// read; pruning removes the notes older than a time. A database of the earlier layout, without
// history, opens and reads as before, and gains the history at its next write.
TEST_P(DatabaseTest, EachWriteOfARecordIsKeptInItsHistoryWithTheWriteItself) {
    DbRecord mine = parameters().NewRecord("007");
    mine.Assign(fromNotation("^^^^101"));
    mine.DBWrite();
    mine.Assign(fromNotation("^^^^101]102"));
    mine.DBWrite();
    const DbFile theirs = otherUser().OpenFile("TPSPARAMBASCUL");
    theirs.WriteRecord("007", fromNotation("^^^^103"));
    mine.Assign(fromNotation("^^^^104"));
    EXPECT_EQ(errorNumberOf([&] { mine.DBWrite(); }), kErrRecordChanged);
    {
        Database::Transaction undone(database_);
        parameters().WriteRecord("007", fromNotation("^^^^105"));
    }
    theirs.DeleteRecord("007");

    // Newest first: whether each change is a deletion, and the text it replaced ("none").
    const std::vector<std::pair<bool, std::string>> expected = {
        {true, "^^^^103"}, {false, "^^^^101]102"}, {false, "^^^^101"}, {false, "none"}};
    const std::vector<Store::Change> history = parameters().History("007");
    ASSERT_EQ(history.size(), expected.size());
    const std::string user = GetParam() == testing::StoreKind::kFile
                                 ? ::getpwuid(::geteuid())->pw_name
                                 : database_.Name().substr(13, database_.Name().find('@') - 13);
    for (std::size_t i = 0; i < history.size(); ++i) {
        SCOPED_TRACE(i);
        const Store::Change& change = history[i];
        EXPECT_EQ(change.deleted, expected[i].first);
        EXPECT_EQ(change.replaced ? toNotation(*change.replaced) : "none", expected[i].second);
        EXPECT_EQ(change.user, user);
        if (i == 0) continue;
        // A deletion notes the version it removed; each write, a version above the one before.
        EXPECT_EQ(change.version < history[i - 1].version, i != 1);
        EXPECT_LE(change.time, history[i - 1].time);
    }
    EXPECT_EQ(history[0].version, history[1].version);

    // Reverting the deleted record to the version before the deletion's re-creates it.
    const Store::Version reverted = parameters().Revert("007", history[2].version);
    const std::vector<Store::Change> after = parameters().History("007");
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "007"), "^^^^101]102");
    EXPECT_EQ(after[0].version, reverted);
    EXPECT_EQ(after[0].replaced, std::nullopt);
    // The version that the deletion removed, read, then written by another user before its write.
    const DbRecord stale = parameters().ReadVersion("007", history[0].version);
    EXPECT_EQ(toNotation(stale.Extract()), "^^^^103");
    theirs.WriteRecord("007", fromNotation("^^^^107"));
    EXPECT_EQ(errorNumberOf([&] { stale.DBWrite(); }), kErrRecordChanged);
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "007"), "^^^^107");
    EXPECT_EQ(errorNumberOf([&] { parameters().Revert("008", reverted); }), kErrNoSuchVersion);

    // Pruning before the deletion's time removes the older notes of every record, and with them
    // the first version's text.
    const auto cut = history[0].time;
    std::size_t older = 0;
    for (const char* key : {"001", "007"}) {
        for (const Store::Change& change : parameters().History(key))
            older += change.time < cut;
    }
    const std::size_t notes = parameters().History("007").size();
    EXPECT_EQ(database_.PruneHistory(cut), older);
    EXPECT_EQ(parameters().History("001").size() + parameters().History("007").size(),
              notes + 1 - older);
    EXPECT_EQ(errorNumberOf([&] { parameters().Revert("007", history[3].version); }),
              kErrNoSuchVersion);

    // A write over whatever is stored that waits for another user's unit notes the text that
    // unit wrote, not the one stored when it began.
    {
        Database::Transaction first(database_);
        parameters().WriteRecord("009", fromNotation("^^^^108"));
        std::thread second([this] {
            Database::Open(location())
                .OpenFile("TPSPARAMBASCUL")
                .WriteRecord("009", fromNotation("^^^^109"));
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the second waits
        first.commit();
        second.join();
    }
    EXPECT_EQ(toNotation(parameters().History("009").front().replaced.value_or("none")), "^^^^108");

    // The earlier layout: the history table dropped, and the layout number that went with it.
    if (GetParam() == testing::StoreKind::kFile) {
        testing::OtherProgram(location()).run("DROP TABLE history; PRAGMA user_version = 2;");
    } else {
        test_support::PostgresServer::Session other =
            test_support::PostgresServer::shared().session(
                test_support::PostgresServer::databaseOf(location()));
        other.run("DROP TABLE mvdb_history; UPDATE mvdb_layout SET layout = 1");
        // Laying the history out waits for another user's lock on the layout, and fails as locked.
        other.run("BEGIN; LOCK TABLE mvdb_layout IN SHARE MODE");
        EXPECT_EQ(
            errorNumberOf([&] { Database::Open(location(), {std::chrono::milliseconds(50)}); }),
            kErrDatabaseLocked);
        other.run("ROLLBACK");
    }
    const Database reader = Database::Open(location(), {std::chrono::milliseconds(50), true});
    EXPECT_EQ(stored(reader, "TPSPARAMBASCUL", "001"), kStored);
    EXPECT_TRUE(reader.OpenFile("TPSPARAMBASCUL").History("001").empty());
    const Database writer = Database::Open(location());
    EXPECT_FALSE(writer.ReadOnly());
    writer.OpenFile("TPSPARAMBASCUL").WriteRecord("001", fromNotation("^^^^106"));
    const std::vector<Store::Change> gained = writer.OpenFile("TPSPARAMBASCUL").History("001");
    ASSERT_EQ(gained.size(), 1u);
    EXPECT_EQ(toNotation(gained[0].replaced.value_or("none")), kStored);
    EXPECT_EQ(stored(reader, "TPSPARAMBASCUL", "001"), "^^^^106");
}

TEST_P(DatabaseTest, SeveralRecordsAreReadAtOnceInTheOrderAsked) {
    put(database_, "TPSPARAMBASCUL", "003", "^^^^103");
    std::vector<std::optional<DbRecord>> records =
        parameters().ReadRecords(std::vector<std::string>{"003", "002", "", "001", "003"});
    std::vector<std::string> read;
    for (const std::optional<DbRecord>& record : records)
        read.push_back(record ? record->Key() + ":" + toNotation(record->Extract(5)) : "none");
    EXPECT_EQ(read,
              (std::vector<std::string>{"003:103", "none", "none", "001:101]102", "003:103"}));
    records[3]->DBWrite();  // read at its version, as one read alone
}

// An opening reads, in one snapshot, the entity's record, then the records of its codes: by a
// seek a key while they are few against the file, else by one pass over it. Four requests either
// way: the snapshot's beginning and end, the record, the codes' records; the file's records are
// counted once, at the first reading of many keys.
TEST_P(DatabaseTest, AnOpeningsReadsTakeFourRequestsWhateverTheNumberOfCodes) {
    const DbFile rubrics = database_.CreateFile("RUBSAISIE");
    std::vector<std::string> keys;
    for (int code = 100; code < 150; ++code) {
        keys.push_back(std::to_string(code));
        rubrics.WriteRecord(keys.back(), "Heures^3");
    }
    const DbFile records = parameters();
    const auto opening = [&](std::size_t codes) {
        const std::vector<std::string_view> asked(keys.begin(), keys.begin() + codes);
        const std::uint64_t before = database_.Requests();
        std::size_t found = 0;
        {
            const Database::Snapshot reading(database_);
            records.ReadRecord("001");
            rubrics.ForEachRecordOf(
                asked, [&](std::size_t, std::string_view, Store::Version) { ++found; });
        }
        EXPECT_EQ(found, codes);
        return database_.Requests() - before;
    };
    EXPECT_EQ(opening(2), 5u);
    for (const std::size_t codes : {std::size_t{2}, std::size_t{9}, keys.size()})
        EXPECT_EQ(opening(codes), 4u) << codes << " codes";
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

// A write over another user's write, since this user's reading, is refused and changes nothing;
// writing outright replaces whatever he wrote.
TEST_P(DatabaseTest, AWriteOverAnotherUsersWriteIsRefusedAndChangesNothing) {
    const Database other = otherUser();
    const DbFile theirs = other.OpenFile("TPSPARAMBASCUL");
    // The key read, what the other user does meanwhile, what the refusal says he did, and what
    // is stored after ("none": no record).
    const std::vector<std::tuple<std::string, std::function<void()>, std::string, std::string>>
        cases = {
            {"001",
             [&] {
                 DbRecord record = theirs.ReadRecord("001");
                 record.Replace(5, 2, 0, "");
                 record.DBWrite();
             },
             "modifié", "14/03/2025^MDUPONT^^^101]^^^^"},
            {"001", [&] { theirs.DeleteRecord("001"); }, "supprimé", "none"},
            {"002", [&] { theirs.WriteRecord("002", fromNotation("^^^^103")); }, "créé", "^^^^103"},
            {"001",
             [&] {
                 theirs.WriteRecord("001", "changé");
                 theirs.WriteRecord("001", fromNotation(kStored));
             },
             "modifié", kStored},
        };
    for (const auto& [key, meanwhile, what, storedAfter] : cases) {
        SCOPED_TRACE(what + " " + storedAfter);
        put(database_, "TPSPARAMBASCUL", "001", kStored);
        DbRecord mine = key == "001" ? parameters().ReadRecord(key) : parameters().NewRecord(key);
        mine.Replace(5, 3, 0, "110");
        meanwhile();
        const platform::ComponentError refusal = test_support::failureOf([&] { mine.DBWrite(); });
        EXPECT_EQ(refusal.number(), kErrRecordChanged);
        EXPECT_EQ(std::string(refusal.what()),
                  "L'enregistrement « " + key + " » du fichier TPSPARAMBASCUL a été " + what +
                      " par un autre utilisateur depuis sa lecture ; rien n'a été enregistré.");
        const std::optional<DbRecord> after = parameters().ReadRecords(std::vector{key})[0];
        EXPECT_EQ(after ? toNotation(after->Extract()) : "none", storedAfter);
    }

    DbRecord mine = parameters().ReadRecord("001");
    theirs.DeleteRecord("001");
    parameters().WriteRecord("001", fromNotation("^^^^101"));
    EXPECT_EQ(errorNumberOf([&] { mine.DBWrite(); }), kErrRecordChanged);
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "^^^^101");

    // The very text being written, found stored, is no conflict: a write made again after its
    // answer was lost is kept, and the record writes on from the version stored.
    mine = parameters().ReadRecord("001");
    mine.Replace(5, 2, 0, "102");
    theirs.WriteRecord("001", fromNotation("^^^^101]102"));
    mine.DBWrite();
    mine.Replace(5, 3, 0, "103");
    mine.DBWrite();
    EXPECT_EQ(stored(database_, "TPSPARAMBASCUL", "001"), "^^^^101]102]103");
}

// The rubric sentence, as the screen asks for the rubrics that may receive hours.
constexpr const char* kRubricSentence = R"(SSELECT RUBSAISIE AVEC 2 = "3" OR = "4" OR = "5" PAR 1)";

class SelectionTest : public DatabaseTest {
protected:
    // Runs the command of the three attributes and answers the result in ^ ] \ notation.
    std::string query(const std::string& sentence, const std::string& fields,
                      const std::string& file = "") {
        const std::string command = sentence + '\xFE' + file + '\xFE' + fields;
        return toNotation(database_.RunQuery(command, "", count_).Extract());
    }

    std::int32_t count_ = -1;
};

TEST_P(SelectionTest, TheScreensSentencesGiveTheEntitiesAndTheRubricsSortedByName) {
    put(database_, "ASSOCIATION", "012",
        "Soins et Présence^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^^TLG");
    put(database_, "ASSOCIATION", "001", "Entraide des Coteaux");
    put(database_, "ASSOCIATION", "007", "Âge d'Or Services^3 rue Haute");
    put(database_, "ASSOCIATION", "005", "entraide des Coteaux");
    EXPECT_EQ(query("SSELECT ASSOCIATION  PAR 1", "0 1 38", "ASSOCIATION"),
              "007]Âge d'Or Services]^001]Entraide des Coteaux]^005]entraide des Coteaux]^"
              "012]Soins et Présence]TLG");
    EXPECT_EQ(count_, 4);

    // The rubric sentence keeps types 3 to 5, sorted by label.
    put(database_, "RUBSAISIE", "103", "Prime de panier^1");
    EXPECT_EQ(query(kRubricSentence, "0 1 2 18"), "") << "nothing selected";
    EXPECT_EQ(count_, 0);
    put(database_, "RUBSAISIE", "101", "Heures normales^3");
    put(database_, "RUBSAISIE", "102", "Heures dimanche^4^^^^^^^^^^^^^^^^31/12/2024");
    put(database_, "RUBSAISIE", "104", "Astreinte^5");
    put(database_, "RUBSAISIE", "105", "Heures normales^4");
    put(database_, "RUBSAISIE", "106", "Heures de nuit^6]5");
    put(database_, "RUBSAISIE", "107", "Indemnité^34");
    EXPECT_EQ(query(kRubricSentence, "0 1 2 18", "RUBSAISIE"),
              "104]Astreinte]5]^106]Heures de nuit]6\\5]^102]Heures dimanche]4]31/12/2024^"
              "101]Heures normales]3]^105]Heures normales]4]");
    EXPECT_EQ(count_, 5);
}

TEST_P(SelectionTest, WithoutSortFieldsRecordsComeInKeyOrderAndEveryWithClauseMustHold) {
    put(database_, "RUBSAISIE", "2", "b^3^y");
    put(database_, "RUBSAISIE", "10", "a^4^y");
    put(database_, "RUBSAISIE", "1", "c^3^x");
    EXPECT_EQ(query("SELECT RUBSAISIE", ""), "1^10^2");
    EXPECT_EQ(query("SSELECT RUBSAISIE WITH 0 = \"2\" OR = \"1\"", "1 0"), "c]1^b]2");
    EXPECT_EQ(query("SSELECT RUBSAISIE BY 2 BY 1", "0"), "2^1^10");
    EXPECT_EQ(query("SSELECT RUBSAISIE WITH 2 = \"3\" WITH 3 = \"y\" OR 0 = \"10\"", "0"), "2");
}

TEST_P(SelectionTest, AWrongCommandFailsAndNamesWhatIsWrong) {
    put(database_, "RUBSAISIE", "101", "Heures normales^3");
    EXPECT_EQ(errorNumberOf([&] { query(kRubricSentence, "0 1", "ASSOCIATION"); }),
              kErrQueryCommand);
    EXPECT_EQ(errorNumberOf([&] { query(kRubricSentence, "0 un"); }), kErrQueryCommand);
    EXPECT_EQ(errorNumberOf([&] { query(kRubricSentence, "0 -1"); }), kErrQueryCommand);
    EXPECT_EQ(errorNumberOf([&] { query("SSELECT ASSOCIATION", "0"); }), kErrNoSuchFile);
    EXPECT_EQ(errorNumberOf([&] { query("SSELECT RUBSAISIE PAR", "0"); }), kErrSentence);
    EXPECT_EQ(errorNumberOf([&] { database_.RunQuery(kRubricSentence, "TRI", count_); }),
              kErrQueryCommand);
}

INSTANTIATE_TEST_SUITE_P(Stores, DatabaseTest, testing::kBothStores);
INSTANTIATE_TEST_SUITE_P(Stores, SelectionTest, testing::kBothStores);

}  // namespace
}  // namespace mvdb
