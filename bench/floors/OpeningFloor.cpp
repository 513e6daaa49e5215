#include "floors/OpeningFloor.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>

#include "data/ParameterRecord.h"
#include "platform/Utf8.h"
#include "platform/mvdb/Marks.h"

namespace bench {
namespace {

constexpr std::size_t kColumnWidth = 31;
constexpr std::size_t kShownWidth = 30;

std::size_t hashOf(std::string_view key) {
    return std::hash<std::string_view>{}(key);
}

}  // namespace

void OpeningFloor::cut(std::string_view record) {
    record_.assign(record);
    // Where each of attributes 5 to 9 starts and ends.
    std::array<Span, 10> attributes{};
    std::size_t start = 0;
    for (int attribute = 1; attribute <= 9 && start <= record_.size(); ++attribute) {
        const std::size_t end = std::min(record_.find(mvdb::kAttributeMark, start), record_.size());
        attributes[attribute] = {static_cast<std::uint32_t>(start),
                                 static_cast<std::uint32_t>(end - start)};
        start = end + 1;
    }
    // The values of each rubric attribute, the lines running up to the first empty weekday code.
    std::array<std::vector<Span>, 10> values;
    for (const int attribute : data::kColumns) {
        const Span whole = attributes[attribute];
        for (std::uint32_t at = whole.start;;) {
            const std::size_t end =
                std::min<std::size_t>(record_.find(mvdb::kValueMark, at), whole.start + whole.size);
            values[attribute].push_back({at, static_cast<std::uint32_t>(end - at)});
            if (end >= whole.start + whole.size) break;
            at = static_cast<std::uint32_t>(end + 1);
        }
    }
    const std::vector<Span>& weekdays = values[data::kWeekdayAttribute];
    std::size_t lines = 0;
    while (lines < weekdays.size() && weekdays[lines].size > 0)
        ++lines;
    codes_.clear();
    slots_.assign(std::max<std::size_t>(64, std::bit_ceil(lines * 10)), 0);
    cells_.resize(lines * 5);
    for (std::size_t line = 0; line < lines; ++line) {
        for (std::size_t column = 0; column < 5; ++column) {
            const std::vector<Span>& cells = values[data::kColumns[column]];
            const bool set = line < cells.size() && cells[line].size > 0;
            cells_[line * 5 + column] = set ? static_cast<std::int32_t>(insert(cells[line])) : -1;
        }
    }
    labels_.assign(codes_.size(), {0, kNoLabel});
    labelText_.clear();
}

std::int64_t OpeningFloor::insert(Span code) {
    const std::string_view key = piece(code);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hashOf(key) & mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == 0) {
            codes_.push_back(code);
            slots_[slot] = static_cast<std::uint32_t>(codes_.size());
            return static_cast<std::int64_t>(codes_.size()) - 1;
        }
        if (piece(codes_[slots_[slot] - 1]) == key) return slots_[slot] - 1;
    }
}

std::int64_t OpeningFloor::find(std::string_view key) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hashOf(key) & mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == 0) return -1;
        if (piece(codes_[slots_[slot] - 1]) == key) return slots_[slot] - 1;
    }
}

void OpeningFloor::setLabel(std::size_t index, std::string_view rubricRecord) {
    const std::string_view label = rubricRecord.substr(0, rubricRecord.find(mvdb::kAttributeMark));
    labels_[index] = {static_cast<std::uint32_t>(labelText_.size()),
                      static_cast<std::uint32_t>(label.size())};
    labelText_ += label;
}

void OpeningFloor::build() {
    // Each distinct code's column: code "-" label, cut to kShownWidth characters, filled to
    // kColumnWidth.
    columnText_.clear();
    columns_.assign(codes_.size(), {});
    for (std::size_t index = 0; index < codes_.size(); ++index) {
        if (labels_[index].size == kNoLabel) continue;
        const std::size_t start = columnText_.size();
        ((columnText_ += code(index)) += '-') +=
            std::string_view(labelText_).substr(labels_[index].start, labels_[index].size);
        const std::string_view whole = std::string_view(columnText_).substr(start);
        std::size_t at = 0, characters = 0;
        for (; characters < kShownWidth && at < whole.size(); ++characters) {
            const std::size_t length = platform::decodeUtf8(whole, at).length;
            at += length ? length : 1;
        }
        columnText_.resize(start + at);
        columnText_.append(kColumnWidth - characters, ' ');
        columns_[index] = {static_cast<std::uint32_t>(start),
                           static_cast<std::uint32_t>(columnText_.size() - start)};
    }
    display_.clear();
    codeLines_.clear();
    displayEnds_.clear();
    codeEnds_.clear();
    const std::string_view columns(columnText_);
    for (std::size_t cell = 0; cell < cells_.size(); ++cell) {
        const std::int32_t index = cells_[cell];
        const bool shown = index >= 0 && labels_[static_cast<std::size_t>(index)].size != kNoLabel;
        if (cell % 5 > 0) codeLines_ += ';';
        if (shown) {
            const Span column = columns_[static_cast<std::size_t>(index)];
            display_ += columns.substr(column.start, column.size);
            codeLines_ += code(static_cast<std::size_t>(index));
        } else {
            display_.append(kColumnWidth, ' ');
        }
        if (cell % 5 == 4) {
            displayEnds_.push_back(static_cast<std::uint32_t>(display_.size()));
            codeEnds_.push_back(static_cast<std::uint32_t>(codeLines_.size()));
        }
    }
}

std::string_view OpeningFloor::lineOf(const std::string& text,
                                      const std::vector<std::uint32_t>& ends, std::size_t line) {
    const std::uint32_t start = line == 0 ? 0 : ends[line - 1];
    return std::string_view(text).substr(start, ends[line] - start);
}

}  // namespace bench
