#include "tools/mvdb/HistoryText.h"

#include <array>
#include <map>
#include <span>
#include <utility>

#include "data/ParameterRecord.h"
#include "tools/mvdb/IsoTime.h"

namespace mvdbtool {
namespace {

// Shown for a column that names no rubric.
constexpr std::string_view kNoRubric = "---";
constexpr std::string_view kSeparator = " · ";

// A line of a parameter record: its five codes in the order of the columns, views of its text.
using Line = std::array<std::string_view, data::kColumns.size()>;
// A line that a version added or removed, with its mark.
using MarkedLine = std::pair<std::string_view, Line>;

std::string_view textOf(const std::optional<std::string>& text) {
    return text ? std::string_view(*text) : std::string_view();
}

std::vector<Line> parameterLines(std::string_view text) {
    std::vector<Line> lines;
    data::forEachLine(text, [&lines](const Line& codes) { lines.push_back(codes); });
    return lines;
}

// Appends, marked, the lines of from that to does not hold, each as many times as from holds it
// more often.
void appendMissing(std::span<const Line> from, std::span<const Line> to, std::string_view mark,
                   std::vector<MarkedLine>& out) {
    std::map<Line, int> left;
    for (const Line& line : to)
        ++left[line];
    for (const Line& line : from) {
        if (left[line]-- <= 0) out.emplace_back(mark, line);
    }
}

// Appends the lines that now holds and before does not ("  + "), then the reverse ("  - "). The
// lines alike at the same place from either end, most of them from one save to the next, are
// passed over first: a line held by both is in neither list.
void appendDifference(std::span<const Line> now, std::span<const Line> before,
                      std::vector<MarkedLine>& out) {
    while (!now.empty() && !before.empty() && now.front() == before.front()) {
        now = now.subspan(1);
        before = before.subspan(1);
    }
    while (!now.empty() && !before.empty() && now.back() == before.back()) {
        now = now.first(now.size() - 1);
        before = before.first(before.size() - 1);
    }
    appendMissing(now, before, "  + ", out);
    appendMissing(before, now, "  - ", out);
}

// The line as shown: its mark, then each rubric's code and label.
std::string shownLine(const MarkedLine& marked, const platform::TextIndex& codes,
                      const std::vector<std::optional<std::string>>& labels) {
    std::string shown(marked.first);
    for (std::size_t column = 0; column < marked.second.size(); ++column) {
        const std::string_view code = marked.second[column];
        if (column > 0) shown += kSeparator;
        shown += code.empty() ? kNoRubric : code;
        if (code.empty()) continue;
        if (const std::optional<std::string>& label = labels[codes.find(code)]) {
            shown += ' ';
            shown += *label;
        }
    }
    return shown;
}

}  // namespace

std::vector<std::string> historyLines(std::string_view file,
                                      const std::vector<mvdb::Store::Change>& changes,
                                      const std::optional<std::string>& current,
                                      const RubricLabels& labels) {
    const bool parameters = file == data::kParameterFile;
    // Each version's heading, and the lines it added and removed after the heading's index.
    std::vector<std::pair<std::string, std::size_t>> headings;
    std::vector<MarkedLine> lines;
    // The lines each version left: of the text the next newer version replaced, or of the record
    // now; each text is read once.
    std::vector<Line> after = parameters ? parameterLines(textOf(current)) : std::vector<Line>();
    for (const mvdb::Store::Change& change : changes) {
        std::string heading = "version " + std::to_string(change.version);
        for (const std::string& part : {isoTime(change.time), change.user})
            heading.append(kSeparator).append(part);
        if (change.deleted) heading.append(kSeparator).append("suppression");
        headings.emplace_back(std::move(heading), lines.size());
        if (!parameters) continue;
        std::vector<Line> before = parameterLines(textOf(change.replaced));
        appendDifference(change.deleted ? std::span<const Line>() : after, before, lines);
        after = std::move(before);
    }
    platform::TextIndex codes;
    for (const MarkedLine& line : lines) {
        for (const std::string_view code : line.second) {
            if (!code.empty()) codes.add(code);
        }
    }
    const std::vector<std::optional<std::string>> labelOf =
        codes.size() > 0 ? labels(codes) : std::vector<std::optional<std::string>>();
    std::vector<std::string> out;
    out.reserve(headings.size() + lines.size());
    for (std::size_t version = 0; version < headings.size(); ++version) {
        out.push_back(std::move(headings[version].first));
        const std::size_t end =
            version + 1 < headings.size() ? headings[version + 1].second : lines.size();
        for (std::size_t line = headings[version].second; line < end; ++line)
            out.push_back(shownLine(lines[line], codes, labelOf));
    }
    return out;
}

}  // namespace mvdbtool
