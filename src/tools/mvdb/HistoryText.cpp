#include "tools/mvdb/HistoryText.h"

#include <map>

#include "data/ParameterRecord.h"
#include "tools/mvdb/IsoTime.h"

namespace mvdbtool {
namespace {

// Shown for a column that names no rubric.
constexpr std::string_view kNoRubric = "---";

// The lines of a parameter record, each its five codes in the order of the columns.
std::vector<std::string> parameterLines(std::string_view text) {
    std::vector<std::string> lines;
    data::forEachLine(text, [&lines](const auto& codes) {
        std::string line;
        for (const std::string_view code : codes) {
            line += line.empty() ? "" : " ";
            line += code.empty() ? kNoRubric : code;
        }
        lines.push_back(std::move(line));
    });
    return lines;
}

// Appends, marked, the lines of from that to does not hold, each as many times as from holds it
// more often.
void appendMissing(const std::vector<std::string>& from, const std::vector<std::string>& to,
                   std::string_view mark, std::vector<std::string>& out) {
    std::map<std::string_view, int> left;
    for (const std::string& line : to)
        ++left[line];
    for (const std::string& line : from) {
        if (left[line]-- <= 0) out.push_back(std::string(mark) + line);
    }
}

}  // namespace

std::vector<std::string> historyLines(std::string_view file,
                                      const std::vector<mvdb::Store::Change>& changes,
                                      const std::optional<std::string>& current) {
    std::vector<std::string> out;
    // The text each version left: the one the next newer version replaced, or the record now.
    std::optional<std::string> after = current;
    for (const mvdb::Store::Change& change : changes) {
        out.push_back("version " + std::to_string(change.version) + " · " + isoTime(change.time) +
                      " · " + change.user + (change.deleted ? " · suppression" : ""));
        if (file == data::kParameterFile) {
            const std::vector<std::string> before = parameterLines(change.replaced.value_or(""));
            const std::vector<std::string> now =
                parameterLines(change.deleted ? "" : after.value_or(""));
            appendMissing(now, before, "  + ", out);
            appendMissing(before, now, "  - ", out);
        }
        after = change.replaced;
    }
    return out;
}

}  // namespace mvdbtool
