#include "platform/mvdb/Database.h"

#include <algorithm>

#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Marks.h"
#include "platform/mvdb/Selection.h"

namespace mvdb {
namespace {

bool isValidName(std::string_view name) {
    return !name.empty() && std::none_of(name.begin(), name.end(), isMark);
}

void checkName(std::string_view name, const char* what) {
    if (!isValidName(name)) {
        throw DbError(kErrBadName, std::string(what) + " « " + std::string(name) +
                                       " » est vide ou contient un séparateur.");
    }
}

[[noreturn]] void failNoSuchRecord(const std::string& file, std::string_view key) {
    throw DbError(kErrNoSuchRecord, "L'enregistrement « " + std::string(key) +
                                        " » n'existe pas dans le fichier " + file + ".");
}

}  // namespace

DbRecord DbFile::ReadRecord(std::string_view key) const {
    std::optional<std::string> text;
    if (isValidName(key)) text = binding_->store->readRecord(binding_->id, key);
    if (!text) failNoSuchRecord(Name(), key);
    return DbRecord(*this, std::string(key), std::move(*text));
}

DbRecord DbFile::NewRecord(std::string_view key) const {
    checkName(key, "La clé");
    return DbRecord(*this, std::string(key), {});
}

void DbFile::DeleteRecord(std::string_view key) const {
    if (!isValidName(key) || !binding_->store->deleteRecord(binding_->id, key)) {
        failNoSuchRecord(Name(), key);
    }
}

std::vector<std::string> DbFile::Keys() const {
    return binding_->store->keys(binding_->id);
}

void DbFile::ForEachRecord(const SqliteStore::RecordVisitor& visit) const {
    binding_->store->scan(binding_->id, visit);
}

void DbRecord::DBWrite() const {
    file_.binding_->store->writeRecord(file_.binding_->id, key_, Extract());
}

Database Database::Open(const std::string& path, const OpenOptions& options) {
    return Database(SqliteStore::open(path, options));
}

Database Database::Create(const std::string& path) {
    return Database(SqliteStore::create(path));
}

DbFile Database::OpenFile(std::string_view name) const {
    const std::optional<SqliteStore::FileId> id = store_->findFile(name);
    if (!id) {
        throw DbError(kErrNoSuchFile, "Le fichier " + std::string(name) +
                                          " n'existe pas dans la base de données « " + Path() +
                                          " ».");
    }
    return fileHandle(*id, name);
}

DbFile Database::CreateFile(std::string_view name) const {
    checkName(name, "Le nom de fichier");
    if (store_->findFile(name)) {
        throw DbError(kErrFileExists, "Le fichier " + std::string(name) + " existe déjà.");
    }
    return fileHandle(store_->createFile(name), name);
}

DbFile Database::fileHandle(SqliteStore::FileId id, std::string_view name) const {
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
    store_->begin();
}

Database::Transaction::~Transaction() {
    if (open_) store_->rollback();
}

void Database::Transaction::commit() {
    store_->commit();
    open_ = false;
}

}  // namespace mvdb
