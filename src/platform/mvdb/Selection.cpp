#include "platform/mvdb/Selection.h"

#include <algorithm>
#include <numeric>

#include "platform/mvdb/Collation.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Marks.h"
#include "platform/mvdb/Sentence.h"
#include "platform/mvdb/Store.h"

namespace mvdb {
namespace {

[[noreturn]] void failCommand(const std::string& why) {
    throw DbError(kErrQueryCommand, "Commande de sélection incorrecte : " + why + ".");
}

std::vector<int> parseFieldList(std::string_view list) {
    std::vector<int> fields;
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t start = list.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) break;
        at = std::min(list.find_first_of(" \t", start), list.size());
        const std::optional<int> field = parseFieldNumber(list.substr(start, at - start));
        if (!field) {
            failCommand("la liste des champs « " + std::string(list) +
                        " » ne contient pas que des numéros de champ");
        }
        fields.push_back(*field);
    }
    if (fields.empty()) fields.push_back(0);
    return fields;
}

// Whether the field, or one of its values, is the value; read in place, as every record is.
bool holdsValue(std::string_view field, std::string_view value) {
    for (std::size_t start = 0;;) {
        const std::size_t end = field.find(kValueMark, start);
        if (field.substr(start, end - start) == value) return true;
        if (end == std::string_view::npos) return false;
        start = end + 1;
    }
}

// The fields of one stored record, read from its text as they are asked for.
class StoredRecord {
public:
    StoredRecord(std::string_view key, std::string_view text) : key_(key), text_(text) {}

    std::string_view field(int number) const {
        return number == 0 ? key_ : nthPiece(text_, kAttributeMark, number);
    }

    bool passes(const Sentence::Condition& condition) const {
        return std::any_of(condition.begin(), condition.end(), [this](const Sentence::Test& test) {
            return holdsValue(field(test.field), test.value);
        });
    }

    // The result attribute: the fields of the list as values, their own values as subvalues.
    std::string resultLine(const std::vector<int>& fields) const {
        std::string line;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) line += kValueMark;
            const std::size_t start = line.size();
            line += field(fields[i]);
            std::replace(line.begin() + static_cast<std::ptrdiff_t>(start), line.end(), kValueMark,
                         kSubvalueMark);
        }
        return line;
    }

private:
    std::string_view key_;
    std::string_view text_;
};

// The records that passed, with their sort keys side by side: the keys of record r are
// sortKeys[r * n] to sortKeys[r * n + n - 1], for the n sort fields of the sentence.
class Selected {
public:
    explicit Selected(std::size_t sortFields) : sortFields_(sortFields) {}

    void add(std::string line, const StoredRecord& record, const std::vector<int>& sortFields) {
        lines_.push_back(std::move(line));
        for (int field : sortFields)
            sortKeys_.push_back(collationKey(record.field(field)));
    }

    std::size_t size() const { return lines_.size(); }

    // The result text: the lines in the order of their keys, or in key order without any.
    std::string resultText() const {
        std::vector<std::size_t> order(lines_.size());
        std::iota(order.begin(), order.end(), 0);
        if (sortFields_ > 0) {
            std::stable_sort(order.begin(), order.end(),
                             [this](std::size_t a, std::size_t b) { return keysBefore(a, b); });
        }
        std::vector<std::string_view> ordered;
        ordered.reserve(order.size());
        for (std::size_t r : order)
            ordered.push_back(lines_[r]);
        return joinPieces(ordered, kAttributeMark);
    }

private:
    bool keysBefore(std::size_t a, std::size_t b) const {
        const auto n = static_cast<std::ptrdiff_t>(sortFields_);
        const auto keysOf = [&](std::size_t r) {
            return sortKeys_.begin() + static_cast<std::ptrdiff_t>(r) * n;
        };
        return std::lexicographical_compare(keysOf(a), keysOf(a) + n, keysOf(b), keysOf(b) + n);
    }

    std::size_t sortFields_;
    std::vector<std::string> lines_;
    std::vector<std::string> sortKeys_;
};

}  // namespace

DynArray runSelection(Store& store, std::string_view command, std::string_view option,
                      std::int32_t& count) {
    if (!option.empty()) failCommand("l'option « " + std::string(option) + " » est inconnue");
    const DynArray query{std::string(command)};
    const Sentence sentence = parseSentence(query.Extract(1));
    const std::string file = query.Extract(2);
    if (!file.empty() && file != sentence.file) {
        failCommand("la phrase porte sur " + sentence.file + " et la commande sur " + file);
    }
    const std::vector<int> fields = parseFieldList(query.Extract(3));
    const std::optional<Store::FileId> id = store.findFile(sentence.file);
    if (!id) throw DbError(kErrNoSuchFile, "Le fichier " + sentence.file + " n'existe pas.");

    Selected selected(sentence.sortFields.size());
    store.scan(*id, [&](std::string_view key, std::string_view text) {
        const StoredRecord record(key, text);
        if (std::all_of(sentence.conditions.begin(), sentence.conditions.end(),
                        [&](const Sentence::Condition& c) { return record.passes(c); })) {
            selected.add(record.resultLine(fields), record, sentence.sortFields);
        }
    });
    count = static_cast<std::int32_t>(selected.size());
    return DynArray(selected.resultText());
}

}  // namespace mvdb
