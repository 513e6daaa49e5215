// Character codes of keys, as a key-press handler receives them: a 16-bit code passed by
// reference, which the handler may replace (0 discards the key). Printable keys carry the
// character's code point (up to U+FFFF); control keys carry their control code.
#pragma once

#include <cstdint>

namespace toolkit {

using KeyCode = std::int16_t;

inline constexpr KeyCode kKeyDiscarded = 0;
inline constexpr KeyCode kKeyBackspace = 8;
inline constexpr KeyCode kKeyTab = 9;
inline constexpr KeyCode kKeyEnter = 13;
inline constexpr KeyCode kKeyPaste = 22;  // Ctrl+V
inline constexpr KeyCode kKeySpace = 32;

// The character a printable key code stands for; 0 for control codes and lone surrogates.
inline char32_t characterOf(KeyCode code) {
    const auto unit = static_cast<std::uint16_t>(code);
    if (unit < 0x20 || unit == 0x7F || (unit >= 0xD800 && unit <= 0xDFFF)) return 0;
    return unit;
}

}  // namespace toolkit
