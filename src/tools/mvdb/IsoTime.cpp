#include "tools/mvdb/IsoTime.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <ctime>

namespace mvdbtool {
namespace {

// The longest shape of a time read, 'd' for a digit; a shorter one ends after the day or the
// minutes.
constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:dd";
constexpr std::array<std::size_t, 3> kLengths = {10, 16, 19};

int numberAt(std::string_view text, std::size_t at, std::size_t digits) {
    int number = 0;
    std::from_chars(text.data() + at, text.data() + at + digits, number);
    return number;
}

bool hasShape(std::string_view text) {
    if (std::find(kLengths.begin(), kLengths.end(), text.size()) == kLengths.end()) return false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[at])) != 0;
        if (kShape[at] == 'd' ? !digit : text[at] != kShape[at]) return false;
    }
    return true;
}

}  // namespace

std::string isoTime(Time time) {
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(time));
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    std::array<char, 32> text{};
    return {text.data(), std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", &utc)};
}

std::optional<Time> readIsoTime(std::string_view text) {
    if (text.size() > kLengths[0] && text.ends_with('Z')) text.remove_suffix(1);
    if (!hasShape(text)) return std::nullopt;
    using namespace std::chrono;
    const year_month_day date{year(numberAt(text, 0, 4)),
                              month(static_cast<unsigned>(numberAt(text, 5, 2))),
                              day(static_cast<unsigned>(numberAt(text, 8, 2)))};
    const auto field = [text](std::size_t at) {
        return text.size() > at ? numberAt(text, at, 2) : 0;
    };
    const int hour = field(11);
    const int minute = field(14);
    const int second = field(17);
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return sys_days(date) + hours(hour) + minutes(minute) + seconds(second);
}

}  // namespace mvdbtool
