#include "platform/mvdb/Selection.h"

#include <algorithm>
#include <cstdint>

#include "platform/mvdb/Collation.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/KeySort.h"
#include "platform/mvdb/Marks.h"
#include "platform/mvdb/Sentence.h"
#include "platform/mvdb/Store.h"

namespace mvdb {
namespace {

[[noreturn]] void failCommand(const std::string& why) {
    throw platform::ComponentError(kErrQueryCommand,
                                   "Commande de sélection incorrecte : " + why + ".");
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
    // A value of the field is shorter than the field, unless it is the whole field.
    if (field.size() <= value.size()) return field == value;
    for (std::size_t start = 0;;) {
        const std::size_t end = field.find(kValueMark, start);
        if (field.substr(start, end - start) == value) return true;
        if (end == std::string_view::npos) return false;
        start = end + 1;
    }
}

// The largest field number that the command reads.
int lastField(const Sentence& sentence, const std::vector<int>& fields) {
    int last = std::max(0, *std::max_element(fields.begin(), fields.end()));
    for (const Sentence::Condition& condition : sentence.conditions) {
        for (const Sentence::Test& test : condition)
            last = std::max(last, test.field);
    }
    for (const int field : sentence.sortFields)
        last = std::max(last, field);
    return last;
}

// The fields of one stored record, cut once from its text up to the last field read. Only the
// fields the text holds are kept, so that a sentence naming a field far past the end of every
// record costs nothing more.
class StoredRecord {
public:
    explicit StoredRecord(int lastField) : lastField_(static_cast<std::size_t>(lastField)) {}

    // Cuts the fields in one pass over the text's bytes, up to the last field read.
    void read(std::string_view key, std::string_view text) {
        // The key, then at most one attribute more than the text has bytes.
        const std::size_t most = std::min(lastField_, text.size() + 1) + 1;
        if (fields_.size() < most) fields_.resize(most);
        std::string_view* field = fields_.data();
        *field++ = key;
        const char* at = text.data();
        const char* const end = at + text.size();
        for (std::size_t left = lastField_; left > 0; --left) {
            // Most fields are a few bytes long: a loop of compares beats a call of memchr each.
            const char* mark = at;
            while (mark != end && *mark != kAttributeMark)
                ++mark;
            *field++ = std::string_view(at, static_cast<std::size_t>(mark - at));
            if (mark == end) break;
            at = mark + 1;
        }
        count_ = static_cast<std::size_t>(field - fields_.data());
    }

    std::string_view field(int number) const {
        const auto at = static_cast<std::size_t>(number);
        return at < count_ ? fields_[at] : std::string_view();
    }

    bool passes(const Sentence::Condition& condition) const {
        return std::any_of(condition.begin(), condition.end(), [this](const Sentence::Test& test) {
            return holdsValue(field(test.field), test.value);
        });
    }

private:
    std::size_t lastField_;
    // The key, then the attributes up to the last field read: the first count_ of fields_.
    std::vector<std::string_view> fields_;
    std::size_t count_ = 0;
};

// The records that passed: their result lines one after the other in one text, their sort keys
// likewise in another, so that a selection of thousands of records allocates a few buffers.
class Selected {
public:
    explicit Selected(std::size_t sortFields) : sortFields_(sortFields) {}

    // Appends the record's result line, the fields of the list as values, their own values as
    // subvalues, and the collation key of each sort field.
    void add(const StoredRecord& record, const std::vector<int>& fields,
             const std::vector<int>& sortFields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) lines_ += kValueMark;
            const std::string_view field = record.field(fields[i]);
            const std::size_t start = lines_.size();
            lines_ += field;
            if (field.find(kValueMark) != std::string_view::npos) {
                std::replace(lines_.begin() + static_cast<std::ptrdiff_t>(start), lines_.end(),
                             kValueMark, kSubvalueMark);
            }
        }
        lineEnds_.push_back(lines_.size());
        for (const int field : sortFields) {
            appendCollationKey(record.field(field), keys_);
            keyEnds_.push_back(keys_.size());
        }
    }

    std::size_t size() const { return lineEnds_.size(); }

    // The result text: the lines in the order of their keys, or in the order read without any.
    std::string resultText() const {
        const std::vector<std::uint32_t> order = sortedRows();
        std::string text;
        text.reserve(lines_.size() + order.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (i > 0) text += kAttributeMark;
            text.append(line(order[i]));
        }
        return text;
    }

private:
    std::string_view line(std::uint32_t row) const {
        const std::size_t start = row == 0 ? 0 : lineEnds_[row - 1];
        return std::string_view(lines_).substr(start, lineEnds_[row] - start);
    }

    std::string_view key(std::uint32_t row, std::size_t field) const {
        const std::size_t at = row * sortFields_ + field;
        const std::size_t start = at == 0 ? 0 : keyEnds_[at - 1];
        return std::string_view(keys_).substr(start, keyEnds_[at] - start);
    }

    // By the first sort field's keys, then the others', then in the order read.
    std::vector<std::uint32_t> sortedRows() const {
        std::vector<KeyedRow> rows(size());
        for (std::uint32_t row = 0; row < rows.size(); ++row)
            rows[row] = {sortFields_ > 0 ? key(row, 0) : std::string_view(), row};
        sortByKeys(rows, [this](std::uint32_t a, std::uint32_t b) {
            for (std::size_t field = 1; field < sortFields_; ++field) {
                const int order = key(a, field).compare(key(b, field));
                if (order != 0) return order < 0;
            }
            return a < b;
        });
        std::vector<std::uint32_t> order(rows.size());
        std::transform(rows.begin(), rows.end(), order.begin(),
                       [](const KeyedRow& row) { return row.row; });
        return order;
    }

    std::size_t sortFields_;
    std::string lines_;
    std::vector<std::size_t> lineEnds_;
    std::string keys_;
    std::vector<std::size_t> keyEnds_;  // row r's key of sort field f ends at r * fields + f
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
    if (!id)
        throw platform::ComponentError(kErrNoSuchFile,
                                       "Le fichier " + sentence.file + " n'existe pas.");

    Selected selected(sentence.sortFields.size());
    StoredRecord record(lastField(sentence, fields));
    store.scan(*id, [&](std::string_view key, std::string_view text, Store::Version) {
        record.read(key, text);
        if (std::all_of(sentence.conditions.begin(), sentence.conditions.end(),
                        [&](const Sentence::Condition& c) { return record.passes(c); })) {
            selected.add(record, fields, sentence.sortFields);
        }
    });
    count = static_cast<std::int32_t>(selected.size());
    return DynArray(selected.resultText());
}

}  // namespace mvdb
