// Reading a 32-bit whole number written in decimal: an optional minus sign and digits, nothing
// else. Answers nullopt for anything else, or for a number out of range.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

inline std::optional<std::int32_t> wholeNumber(std::string_view text) {
    std::int32_t number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return number;
}

}  // namespace platform
