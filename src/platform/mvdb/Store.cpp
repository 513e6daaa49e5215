#include "platform/mvdb/Store.h"

#include <filesystem>

#include <dlfcn.h>

#include "platform/TextIndex.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/ServerStoreLibrary.h"
#include "platform/mvdb/SqliteStore.h"

namespace mvdb {
namespace {

// The server's store, from its library in the folder of this one, loaded once and never closed.
std::shared_ptr<Store> serverStore(const std::string& uri, const OpenOptions* options) {
    static const auto entry = []() -> decltype(&ostrevanServerStore) {
        Dl_info self{};
        ::dladdr(reinterpret_cast<void*>(&serverStore), &self);
        const std::string library =
            (std::filesystem::path(self.dli_fname ? self.dli_fname : "").parent_path() /
             kServerStoreLibrary)
                .string();
        void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        void* symbol = handle ? ::dlsym(handle, kServerStoreEntry) : nullptr;
        if (symbol == nullptr) {
            const char* reason = ::dlerror();
            throw platform::ComponentError(
                kErrStorage, "La bibliothèque des bases sur serveur « " + library +
                                 " » ne se charge pas : " + (reason ? reason : "raison inconnue") +
                                 ".");
        }
        return reinterpret_cast<decltype(&ostrevanServerStore)>(symbol);
    }();
    std::shared_ptr<Store> store;
    entry(&uri, options, &store);
    return store;
}

// A pass over the whole file reads its records at about a fifth of the cost of seeking them one
// by one: past that share of the file's records, the keys are read by one pass.
constexpr std::size_t kSeeksPerPass = 5;

}  // namespace

bool Store::isServerLocation(std::string_view location) {
    return location.starts_with("postgresql://") || location.starts_with("postgres://");
}

std::shared_ptr<Store> Store::open(const std::string& location, const OpenOptions& options) {
    std::shared_ptr<Store> store = isServerLocation(location)
                                       ? serverStore(location, &options)
                                       : SqliteStore::open(location, options);
    store->manyKeysRead_ = options.manyKeysRead;
    return store;
}

std::shared_ptr<Store> Store::create(const std::string& location) {
    if (isServerLocation(location)) return serverStore(location, nullptr);
    return SqliteStore::create(location);
}

void Store::remove(const std::string& location) noexcept {
    if (!isServerLocation(location)) SqliteStore::remove(location);
}

void Store::begin(UnitKind kind) {
    if (depth_ > 0) {
        runUnitStatement(UnitStatement::kSavepoint);
    } else {
        runUnitStatement(kind == UnitKind::kWrite ? UnitStatement::kBeginWrite
                                                  : UnitStatement::kBeginRead);
    }
    ++depth_;
}

void Store::commit() {
    runUnitStatement(depth_ == 1 ? UnitStatement::kCommit : UnitStatement::kRelease);
    --depth_;
}

void Store::rollback() noexcept {
    try {
        if (depth_ == 1) {
            runUnitStatement(UnitStatement::kRollback);
        } else {
            runUnitStatement(UnitStatement::kRollbackTo);
            runUnitStatement(UnitStatement::kRelease);
        }
    } catch (...) {
        // The storage already undid the whole unit when it failed, or lost it with its
        // connection: nothing is left to undo.
    }
    --depth_;
}

Store::WriteResult Store::conflictWith(const std::optional<Record>& stored, std::string_view text,
                                       bool expectedNone) {
    if (stored && stored->text == text) return {Conflict::kNone, stored->version};
    if (expectedNone) return {Conflict::kCreated, 0};
    return {stored ? Conflict::kChanged : Conflict::kDeleted, 0};
}

void Store::readRecords(FileId file, const platform::TextIndex& keys,
                        const KeyRecordVisitor& visit) {
    if (keys.size() == 0) return;
    if (!scanPays(file, keys.size())) {
        seekRecords(file, keys.texts(), visit);
        return;
    }
    noteFileSize(file, passOverFile(file, keys, visit));
}

bool Store::scanPays(FileId file, std::size_t keys) {
    if (manyKeysRead_ != ManyKeysRead::kChoose) return manyKeysRead_ == ManyKeysRead::kScan;
    const auto known = fileSizes_.find(file);
    const std::size_t records =
        known != fileSizes_.end() ? known->second : (fileSizes_[file] = countRecords(file));
    return keys * kSeeksPerPass >= records;
}

}  // namespace mvdb
