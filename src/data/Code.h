// A code as the screen's code boxes hold it, an entity's or a rubric's: three characters, compared
// exactly (letter case included) and never trimmed. A shorter code is completed on the left with
// "0": 7 is 007, an empty one 000.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Utf8.h"

namespace data {

inline constexpr std::size_t kCodeLength = 3;

inline bool isComplete(std::string_view code) {
    return platform::characterCount(code) == kCodeLength;
}

// The code completed on the left with "0" to three characters; a longer one as it stands.
inline std::string completedCode(std::string_view code) {
    const std::size_t length = platform::characterCount(code);
    if (length >= kCodeLength) return std::string(code);
    return std::string(kCodeLength - length, '0') + std::string(code);
}

}  // namespace data
