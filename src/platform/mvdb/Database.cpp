#include "platform/mvdb/Database.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "platform/TextIndex.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Marks.h"
#include "platform/mvdb/Selection.h"

namespace mvdb {
namespace {

bool isValidName(std::string_view name) {
    return !name.empty() &&
           std::none_of(name.begin(), name.end(), [](char c) { return isMark(c); });
}

// A name that a write may store: a valid one, short enough for either store to keep.
void checkName(std::string_view name, const char* what) {
    if (!isValidName(name)) {
        throw platform::ComponentError(kErrBadName, std::string(what) + " « " + std::string(name) +
                                                        " » est vide ou contient un séparateur.");
    }
    if (name.size() > kMaxNameBytes) {
        throw platform::ComponentError(
            kErrBadName, std::string(what) + " « " + std::string(name.substr(0, 20)) + "… » a " +
                             std::to_string(name.size()) + " octets ; le plus long permis en a " +
                             std::to_string(kMaxNameBytes) + ".");
    }
}

[[noreturn]] void failNoSuchRecord(const std::string& file, std::string_view key) {
    throw platform::ComponentError(
        kErrNoSuchRecord,
        "L'enregistrement « " + std::string(key) + " » n'existe pas dans le fichier " + file + ".");
}

}  // namespace

DbRecord DbFile::ReadRecord(std::string_view key) const {
    std::optional<Store::Record> stored;
    if (isValidName(key)) stored = binding_->store->readRecord(binding_->id, key);
    if (!stored) failNoSuchRecord(Name(), key);
    return DbRecord(*this, std::string(key), std::move(stored->text), stored->version);
}

std::vector<std::optional<DbRecord>> DbFile::ReadRecords(std::span<const std::string> keys) const {
    platform::TextIndex distinct(keys.size());
    for (const std::string& key : keys)
        distinct.add(key);
    std::vector<std::optional<DbRecord>> found(distinct.size());
    ForEachRecordOf(distinct, [&](std::size_t key, std::string_view text, Store::Version version) {
        found[key] = RecordRead(distinct.text(static_cast<std::uint32_t>(key)), text, version);
    });
    std::vector<std::optional<DbRecord>> records;
    records.reserve(keys.size());
    for (const std::string& key : keys)
        records.push_back(found[distinct.find(key)]);
    return records;
}

void DbFile::ForEachRecordOf(const platform::TextIndex& keys,
                             const Store::KeyRecordVisitor& visit) const {
    if (std::all_of(keys.texts().begin(), keys.texts().end(), isValidName)) {
        binding_->store->readRecords(binding_->id, keys, visit);
        return;
    }
    // Keys that no record can have are not asked for.
    platform::TextIndex valid;
    std::vector<std::size_t> places;
    for (std::uint32_t key = 0; key < keys.size(); ++key) {
        if (!isValidName(keys.text(key))) continue;
        valid.add(keys.text(key));
        places.push_back(key);
    }
    binding_->store->readRecords(
        binding_->id, valid, [&](std::size_t key, std::string_view text, Store::Version version) {
            visit(places[key], text, version);
        });
}

void DbFile::ForEachRecordOf(std::span<const std::string_view> keys,
                             const Store::KeyRecordVisitor& visit) const {
    platform::TextIndex index(keys.size());
    for (const std::string_view key : keys)
        index.add(key);
    ForEachRecordOf(index, visit);
}

DbRecord DbFile::RecordRead(std::string_view key, std::string_view text,
                            Store::Version version) const {
    return DbRecord(*this, std::string(key), std::string(text), version);
}

DbRecord DbFile::NewRecord(std::string_view key) const {
    checkName(key, "La clé");
    return DbRecord(*this, std::string(key), {}, std::nullopt);
}

void DbFile::WriteRecord(std::string_view key, std::string_view text) const {
    checkName(key, "La clé");
    binding_->store->writeRecord(binding_->id, key, text);
}

void DbFile::DeleteRecord(std::string_view key) const {
    if (!isValidName(key) || !binding_->store->deleteRecord(binding_->id, key)) {
        failNoSuchRecord(Name(), key);
    }
}

std::vector<std::string> DbFile::Keys() const {
    return binding_->store->keys(binding_->id);
}

void DbFile::ForEachRecord(const Store::RecordVisitor& visit) const {
    binding_->store->scan(binding_->id, visit);
}

void DbFile::ForEachChange(const Store::ChangeVisitor& visit) const {
    binding_->store->scanHistory(binding_->id, visit);
}

void DbFile::Restore(std::span<const Store::VersionedRecord> records,
                     std::span<const Store::KeyedChange> history) const {
    for (const Store::VersionedRecord& record : records)
        checkName(record.key, "La clé");
    for (const Store::KeyedChange& entry : history)
        checkName(entry.key, "La clé");
    binding_->store->restore(binding_->id, records, history);
}

void DbRecord::DBWrite() const {
    const DbFile::Binding& binding = *file_.binding_;
    const Store::WriteResult written =
        binding.store->writeRecordIf(binding.id, key_, Extract(), version_);
    if (written.conflict == Store::Conflict::kNone) {
        version_ = written.version;
        return;
    }
    static constexpr std::array<const char*, 4> kWhat = {"", "modifié", "supprimé", "créé"};
    throw platform::ComponentError(
        kErrRecordChanged,
        "L'enregistrement « " + key_ + " » du fichier " + binding.name + " a été " +
            kWhat[static_cast<std::size_t>(written.conflict)] +
            " par un autre utilisateur depuis sa lecture ; rien n'a été enregistré.");
}

std::optional<Store::Change> DbRecord::ChangeSinceRead() const {
    const DbFile::Binding& binding = *file_.binding_;
    std::optional<Store::Change> latest = binding.store->latestChange(binding.id, key_);
    // A deletion notes the version it removed: a record read at that version is gone too.
    const bool stillRead =
        !latest || (version_ ? latest->version == *version_ && !latest->deleted : latest->deleted);
    if (stillRead) return std::nullopt;
    return latest;
}

Database Database::Open(const std::string& location, const OpenOptions& options) {
    return Database(Store::open(location, options));
}

Database Database::Create(const std::string& location) {
    return Database(Store::create(location));
}

const std::string& Database::Name() const {
    return store_->name();
}

DbFile Database::OpenFile(std::string_view name) const {
    const std::optional<Store::FileId> id = store_->findFile(name);
    if (!id) {
        throw platform::ComponentError(
            kErrNoSuchFile, "Le fichier " + std::string(name) +
                                " n'existe pas dans la base de données « " + store_->name() +
                                " ».");
    }
    return fileHandle(*id, name);
}

DbFile Database::CreateFile(std::string_view name) const {
    checkName(name, "Le nom de fichier");
    if (store_->findFile(name)) {
        throw platform::ComponentError(kErrFileExists,
                                       "Le fichier " + std::string(name) + " existe déjà.");
    }
    return fileHandle(store_->createFile(name), name);
}

DbFile Database::fileHandle(Store::FileId id, std::string_view name) const {
    return DbFile(
        std::make_shared<const DbFile::Binding>(DbFile::Binding{store_, id, std::string(name)}));
}

std::vector<std::string> Database::FileNames() const {
    return store_->fileNames();
}

DynArray Database::RunQuery(std::string_view command, std::string_view option,
                            std::int32_t& count) const {
    return runSelection(*store_, command, option, count);
}

Database::Transaction::Transaction(const Database& database) : store_(database.store_) {
    store_->begin(Store::UnitKind::kWrite);
}

Database::Transaction::~Transaction() {
    if (open_) store_->rollback();
}

void Database::Transaction::commit() {
    store_->commit();
    open_ = false;
}

Database::Snapshot::Snapshot(const Database& database) : store_(database.store_) {
    store_->begin(Store::UnitKind::kRead);
}

Database::Snapshot::~Snapshot() {
    // Nothing was written: undoing the unit ends it as keeping it would.
    store_->rollback();
}

}  // namespace mvdb
