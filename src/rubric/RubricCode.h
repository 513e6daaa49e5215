// The code of a rubric as the screen holds it: the key of its RUBSAISIE record read as a whole
// number, which every rubric list carries as the item data of the rubric's item, and which a code
// box shows as three digits filled on the left with "0" (key 7 or 007: item data 7, shown 007).
//
// Only a key of decimal digits whose number the code box can show, 0 to 999, makes a code: any
// other rubric can be neither typed nor shown, and so is offered in no list.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/Code.h"
#include "platform/WholeNumber.h"

namespace rubric {

inline constexpr std::int32_t kLargestCode = 999;

inline std::optional<std::int32_t> rubricCode(std::string_view key) {
    const std::optional<std::int32_t> number = platform::wholeNumber(key);
    if (!number || *number < 0 || *number > kLargestCode || key.starts_with('-'))
        return std::nullopt;
    return number;
}

// The code that a code box shows for a rubric's item data: 7 is 007, 123 is 123.
inline std::string shownCode(std::int32_t code) {
    return data::completedCode(std::to_string(code));
}

// The key under which a code of digits filled on the left with "0" is kept without them: "007"
// is kept as 7, "000" as 0; the key is the end of the code. Nothing for a code that is not all
// digits or has no leading zero.
inline std::optional<std::string_view> keyWithoutLeadingZeros(std::string_view code) {
    if (code.size() < 2 || code.front() != '0' ||
        code.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return code.substr(std::min(code.find_first_not_of('0'), code.size() - 1));
}

}  // namespace rubric
