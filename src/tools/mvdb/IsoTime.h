// Times as the mvdb tool writes and reads them: ISO 8601, in UTC.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace mvdbtool {

using Time = std::chrono::sys_time<std::chrono::microseconds>;

// The time to the second, as 2026-12-08T21:05:00Z.
std::string isoTime(Time time);
// A date, 2026-12-08 (its midnight), or a date and time, 2026-12-08T21:05 or
// 2026-12-08T21:05:00, either with a Z or without, read as UTC; none for any other text, or a
// date or time that does not exist (2026-02-30, 24:00).
std::optional<Time> readIsoTime(std::string_view text);

}  // namespace mvdbtool
