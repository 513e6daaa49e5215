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

std::vector<std::optional<Store::Record>> Store::inOrderOf(
    std::span<const std::string> keys, std::unordered_map<std::string, Record>& found) {
    std::vector<std::optional<Record>> records(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto record = found.find(keys[i]);
        if (record != found.end()) records[i] = record->second;
    }
    return records;
}

}  // namespace mvdb
