#include "platform/mvdb/Store.h"

#include "platform/mvdb/PostgresStore.h"
#include "platform/mvdb/SqliteStore.h"

namespace mvdb {

bool Store::isServerLocation(std::string_view location) {
    return location.starts_with("postgresql://") || location.starts_with("postgres://");
}

std::shared_ptr<Store> Store::open(const std::string& location, const OpenOptions& options) {
    if (isServerLocation(location)) return PostgresStore::open(location, options);
    return SqliteStore::open(location, options);
}

std::shared_ptr<Store> Store::create(const std::string& location) {
    if (isServerLocation(location)) return PostgresStore::create(location);
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

Store::RecordsOfKeys::RecordsOfKeys(std::span<const std::string> keys)
    : keys_(keys), records_(keys.size()) {
    places_.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        places_.try_emplace(keys[i], i);
}

void Store::RecordsOfKeys::place(std::string_view key, std::string_view text, Version version) {
    const auto place = places_.find(key);
    if (place != places_.end()) records_[place->second] = Record{std::string(text), version};
}

std::vector<std::optional<Store::Record>> Store::RecordsOfKeys::take() {
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        const std::size_t first = places_.at(keys_[i]);
        if (first != i) records_[i] = records_[first];
    }
    return std::move(records_);
}

}  // namespace mvdb
