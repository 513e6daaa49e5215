// The history of a record through its file: its changes, the text of one of its versions, and
// that text written back as a new version.
#include <optional>
#include <string>
#include <vector>

#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbError.h"

namespace mvdb {
namespace {

// The text written as the version: the record's own when it is that version, else the text that
// the next change replaced (the next write, or the deletion listed under the version it removed).
// None when neither the record nor its changes, newest first, hold it.
std::optional<std::string> textWrittenAs(Store::Version version,
                                         const std::optional<Store::Record>& current,
                                         std::vector<Store::Change>& changes) {
    if (current && current->version == version) return current->text;
    for (std::size_t change = 0; change < changes.size(); ++change) {
        if (changes[change].version != version) continue;
        if (changes[change].deleted) return std::move(changes[change].replaced);
        return change > 0 ? std::move(changes[change - 1].replaced) : std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::vector<Store::Change> DbFile::History(std::string_view key) const {
    return binding_->store->history(binding_->id, key);
}

DbRecord DbFile::ReadVersion(std::string_view key, Store::Version version) const {
    Store& store = *binding_->store;
    std::optional<Store::Record> current;
    std::optional<std::string> text;
    store.begin(Store::UnitKind::kRead);
    try {
        current = store.readRecord(binding_->id, key);
        std::vector<Store::Change> changes = store.history(binding_->id, key);
        text = textWrittenAs(version, current, changes);
        store.commit();
    } catch (...) {
        store.rollback();
        throw;
    }
    if (!text) {
        throw platform::ComponentError(
            kErrNoSuchVersion, "L'enregistrement « " + std::string(key) + " » du fichier " +
                                   Name() + " n'a pas de version " + std::to_string(version) +
                                   " dans son historique, ou celui-ci n'en garde plus le texte.");
    }
    return DbRecord(*this, std::string(key), std::move(*text),
                    current ? std::optional(current->version) : std::nullopt);
}

Store::Version DbFile::Revert(std::string_view key, Store::Version version) const {
    const DbRecord record = ReadVersion(key, version);
    record.DBWrite();
    return *record.version_;
}

}  // namespace mvdb
