// The history of a record as the history verb prints it: a block a version, newest first.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mvdb/Store.h"

namespace mvdbtool {

// The lines of the history of the record, given its changes newest first (DbFile::History) and
// its text now, none when it is deleted. Each version gives a line "version N · TIME · USER", TIME
// in ISO 8601 UTC, followed by " · suppression" for a deletion; a record of the parameter file
// then gives the lines of rubrics that version added ("  + ") and removed ("  - ") against the
// text it replaced, each as its five rubric codes in the order of the screen's columns.
std::vector<std::string> historyLines(std::string_view file,
                                      const std::vector<mvdb::Store::Change>& changes,
                                      const std::optional<std::string>& current);

}  // namespace mvdbtool
