// The history of a record as the history verb prints it: a block a version, newest first.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TextIndex.h"
#include "platform/mvdb/Store.h"

namespace mvdbtool {

// The label of each rubric code of the index, by its number; none for a code without rubric.
using RubricLabels =
    std::function<std::vector<std::optional<std::string>>(const platform::TextIndex& codes)>;

// The lines of the history of the record, given its changes newest first (DbFile::History) and
// its text now, none when it is deleted. Each version gives a line "version N · TIME · USER", TIME
// in ISO 8601 UTC, followed by " · suppression" for a deletion; a record of the parameter file
// then gives the lines of rubrics that version added ("  + ") and removed ("  - ") against the
// text it replaced, each as its five rubrics in the order of the screen's columns, separated by
// " · ": a rubric's code, then its label when labels gives one; "---" where the line names none.
// labels is asked once, for the codes of all these lines.
std::vector<std::string> historyLines(std::string_view file,
                                      const std::vector<mvdb::Store::Change>& changes,
                                      const std::optional<std::string>& current,
                                      const RubricLabels& labels);

}  // namespace mvdbtool
