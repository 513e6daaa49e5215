#include "tools/mvdb/Commands.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "data/ParameterRecord.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Notation.h"
#include "rubric/RubricRecord.h"
#include "tools/mvdb/HistoryText.h"
#include "tools/mvdb/IsoTime.h"
#include "tools/mvdb/JsonRecords.h"
#include "tools/mvdb/SampleData.h"

namespace mvdbtool {
namespace {

using mvdb::Database;
using mvdb::DbFile;
using mvdb::Store;

// The whole answer, one text a line, written once it is complete.
void printLines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        out << line << '\n';
}

// Runs write in one unit of work, kept only when write returns.
template <class Write>
void inTransaction(const Database& database, Write write) {
    Database::Transaction transaction(database);
    write();
    transaction.commit();
}

// The database at path, or a new one when there is none there: no file, or a server's database
// without the component's tables.
Database openOrCreateDatabase(const std::string& path, bool& created) {
    try {
        return Database::Open(path);
    } catch (const platform::ComponentError& error) {
        const bool serverWithoutTables =
            error.number() == mvdb::kErrNotADatabase && mvdb::Store::isServerLocation(path);
        if (error.number() != mvdb::kErrNoSuchDatabase && !serverWithoutTables) throw;
    }
    Database database = Database::Create(path);
    created = true;
    return database;
}

DbFile openOrCreateFile(const Database& database, const std::string& name) {
    try {
        return database.OpenFile(name);
    } catch (const platform::ComponentError& error) {
        if (error.number() != mvdb::kErrNoSuchFile) throw;
    }
    return database.CreateFile(name);
}

void writeRecords(const DbFile& file, const std::vector<Record>& records) {
    for (const Record& record : records)
        file.WriteRecord(record.key, record.text);
}

// Runs fill on the database at path, made when there is none, in one unit of work: when it
// fails, nothing is kept, and a database made for it is removed again.
template <class Fill>
void fillDatabase(const std::string& path, Fill fill) {
    bool created = false;
    try {
        const Database database = openOrCreateDatabase(path, created);
        inTransaction(database, [&] { fill(database); });
    } catch (const std::exception&) {
        if (created) Database::Remove(path);
        throw;
    }
}

// Whether a file of the database holds records, or the history of records deleted.
bool holdsRecords(const Database& database) {
    const std::vector<std::string> names = database.FileNames();
    return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
        const DbFile file = database.OpenFile(name);
        bool history = false;
        file.ForEachChange([&](std::string_view, const Store::Change&) { history = true; });
        return history || !file.Keys().empty();
    });
}

// Puts the file of a dump back into the database: its records at their versions and its
// history, each version raised by shift; then a record that a dump of an earlier version gave
// without its version, written anew.
void restoreFile(const Database& database, RecordFile& file, Store::Version shift) {
    const DbFile restored = database.CreateFile(file.name);
    std::vector<Store::VersionedRecord> versioned;
    for (const Record& record : file.records) {
        if (record.version) versioned.push_back({record.key, record.text, *record.version + shift});
    }
    for (Store::KeyedChange& entry : file.history)
        entry.change.version += shift;
    restored.Restore(versioned, file.history);
    for (const Record& record : file.records) {
        if (!record.version) restored.WriteRecord(record.key, record.text);
    }
}

// The file of that name, none when the database has none.
std::optional<DbFile> fileIfAny(const Database& database, std::string_view name) {
    const std::vector<std::string> names = database.FileNames();
    if (std::find(names.begin(), names.end(), name) == names.end()) return std::nullopt;
    return database.OpenFile(name);
}

// The label of each rubric code, none for a code whose rubric has no record, or all none when
// the database has no rubric file.
std::vector<std::optional<std::string>> rubricLabels(const Database& database,
                                                     const platform::TextIndex& codes) {
    std::vector<std::optional<std::string>> labels(codes.size());
    if (const std::optional<DbFile> rubrics = fileIfAny(database, data::kRubricFile)) {
        rubric::forEachRubricOf(*rubrics, codes,
                                [&](std::uint32_t code, std::string_view, std::string_view text,
                                    Store::Version) { labels[code] = rubric::labelOf(text); });
    }
    return labels;
}

// The legal entity whose parameters the key holds, as the screen names it: "Entité juridique",
// its code, then its name when the entity file has its record.
std::string entityHeading(const Database& database, const std::string& key) {
    std::string heading = "Entité juridique " + key;
    const std::optional<DbFile> entities = fileIfAny(database, data::kEntityFile);
    const std::string keys[] = {key};
    if (const std::optional<mvdb::DbRecord> entity =
            entities ? entities->ReadRecords(keys).front() : std::nullopt)
        heading.append(" · ").append(entity->Extract(1));
    return heading;
}

}  // namespace

void createDatabase(const std::string& path) {
    const Database database = Database::Create(path);
    try {
        inTransaction(database, [&] {
            for (const std::string_view name :
                 {data::kEntityFile, data::kRubricFile, data::kParameterFile})
                database.CreateFile(name);
        });
    } catch (const std::exception&) {
        Database::Remove(path);
        throw;
    }
}

void listFiles(const std::string& path, std::ostream& out) {
    printLines(out, Database::Open(path).FileNames());
}

void fillSample(const std::string& path) {
    // A file that holds records already undoes the whole sample.
    fillDatabase(path, [](const Database& database) {
        for (const RecordFile& file : sampleFiles()) {
            const DbFile filled = openOrCreateFile(database, file.name);
            if (!filled.Keys().empty())
                throw std::runtime_error("Le fichier " + file.name + " de la base de données « " +
                                         database.Name() + " » contient déjà des enregistrements.");
            writeRecords(filled, file.records);
        }
    });
}

void listKeys(const std::string& path, const std::string& file, std::ostream& out) {
    std::vector<std::string> keys = Database::Open(path).OpenFile(file).Keys();
    for (std::string& key : keys)
        key = mvdb::toNotation(key);
    printLines(out, keys);
}

void showRecord(const std::string& path, const std::string& file, const std::string& key,
                std::ostream& out) {
    out << mvdb::toNotation(Database::Open(path).OpenFile(file).ReadRecord(key).Extract()) << '\n';
}

void putRecord(const std::string& path, const std::string& file, const std::string& key,
               const std::string& notation) {
    const Database database = Database::Open(path);
    inTransaction(database, [&] {
        openOrCreateFile(database, file).WriteRecord(key, mvdb::fromNotation(notation));
    });
}

void deleteRecord(const std::string& path, const std::string& file, const std::string& key) {
    const Database database = Database::Open(path);
    inTransaction(database, [&] { database.OpenFile(file).DeleteRecord(key); });
}

void showHistory(const std::string& path, const std::string& file, const std::string& key,
                 std::ostream& out) {
    const Database database = Database::Open(path);
    const DbFile opened = database.OpenFile(file);
    std::vector<std::string> lines;
    {
        const Database::Snapshot snapshot(database);
        const std::vector<Store::Change> changes = opened.History(key);
        std::optional<std::string> current;
        const std::string keys[] = {key};
        if (const std::optional<mvdb::DbRecord> record = opened.ReadRecords(keys).front())
            current = record->Extract();
        lines = historyLines(file, changes, current, [&](const platform::TextIndex& codes) {
            return rubricLabels(database, codes);
        });
        if (file == data::kParameterFile && !lines.empty())
            lines.insert(lines.begin(), entityHeading(database, key));
    }
    printLines(out, lines);
}

void revertRecord(const std::string& path, const std::string& file, const std::string& key,
                  const std::string& version) {
    Store::Version number = 0;
    const char* end = version.data() + version.size();
    const auto [stop, error] = std::from_chars(version.data(), end, number);
    if (version.empty() || error != std::errc() || stop != end)
        throw std::runtime_error("« " + version + " » n'est pas un numéro de version.");
    Database::Open(path).OpenFile(file).Revert(key, number);
}

void pruneHistory(const std::string& path, const std::string& before, std::ostream& out) {
    const std::optional<Time> time = readIsoTime(before);
    if (!time)
        throw std::runtime_error("« " + before +
                                 " » n'est pas une date ISO 8601 en UTC : AAAA-MM-JJ, ou "
                                 "AAAA-MM-JJTHH:MM:SSZ.");
    out << Database::Open(path).PruneHistory(*time) << '\n';
}

void runQuery(const std::string& path, const std::string& sentence, const std::string& fields,
              std::ostream& out) {
    mvdb::DynArray command;
    command.Assign(1, sentence);
    command.Assign(2, "");
    command.Assign(3, fields);
    std::int32_t count = 0;
    const mvdb::DynArray result = Database::Open(path).RunQuery(command.Extract(), "", count);
    // One line per selected record, by the count: a single record whose line is empty gives the
    // same empty text as no record at all.
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int attribute = 1; attribute <= count; ++attribute)
        lines.push_back(mvdb::toNotation(result.Extract(attribute)));
    printLines(out, lines);
}

void exportFile(const std::string& path, const std::string& file, std::ostream& out) {
    std::vector<std::string> lines;
    Database::Open(path).OpenFile(file).ForEachRecord(
        [&](std::string_view key, std::string_view text, Store::Version) {
            lines.push_back(toJsonLine(key, text));
        });
    printLines(out, lines);
}

void importFile(const std::string& path, const std::string& file, const std::string& input) {
    const Database database = Database::Open(path);
    // Every line is checked before anything is written, and no lock is held meanwhile.
    const std::vector<Record> records = readJsonLines(input);
    inTransaction(database, [&] { writeRecords(openOrCreateFile(database, file), records); });
}

void dumpDatabase(const std::string& path, std::ostream& out) {
    const Database database = Database::Open(path);
    std::vector<std::string> lines;
    {
        const Database::Snapshot snapshot(database);
        for (const std::string& name : database.FileNames()) {
            lines.push_back(toFileLine(name));
            const DbFile file = database.OpenFile(name);
            file.ForEachRecord(
                [&](std::string_view key, std::string_view text, Store::Version version) {
                    lines.push_back(toJsonLine(key, text, version));
                });
            file.ForEachChange([&](std::string_view key, const Store::Change& change) {
                lines.push_back(toHistoryLine(key, change));
            });
        }
    }
    printLines(out, lines);
}

void restoreDatabase(const std::string& path, const std::string& input, bool replace) {
    // The whole dump is read before the database is touched.
    std::vector<RecordFile> files = readDump(input);
    fillDatabase(path, [&](const Database& database) {
        if (!replace && holdsRecords(database))
            throw std::runtime_error(
                "La base de données « " + database.Name() +
                " » contient déjà des enregistrements ou leur historique ; restore --replace "
                "remplace tout son contenu.");
        database.RemoveFiles();
        // The dump's versions, raised above every version the database gave before, so that none
        // is given twice: a screen that read a record before the restore finds it changed. A new
        // database gave none: the versions come back as they were.
        const Store::Version shift = database.LastVersion();
        for (RecordFile& file : files)
            restoreFile(database, file, shift);
    });
}

}  // namespace mvdbtool
