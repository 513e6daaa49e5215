// Reading and writing UTF-8 text one character at a time, without trusting it to be well formed.
// A byte that starts no valid character counts as one character of its own, so that counting,
// cutting and editing never split a character and never stop on bad bytes.
#pragma once

#include <string_view>

namespace platform {

struct Utf8Char {
    char32_t codePoint;
    std::size_t length;  // bytes of the character; 0 when the bytes at that place are no character
};

// The character that starts at text[at] (at < text.size()): a shortest, complete sequence of a
// scalar value, or length 0.
inline Utf8Char decodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return {lead, 1};
    std::size_t length;
    char32_t codePoint;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return {0, 0};
    }
    if (text.size() - at < length) return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return {0, 0};
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    const bool overlong =
        (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF) return {0, 0};
    return {codePoint, length};
}

// The length in bytes of the character at text[at], a bad byte counting as one.
inline std::size_t characterLength(std::string_view text, std::size_t at) {
    const std::size_t length = decodeUtf8(text, at).length;
    return length == 0 ? 1 : length;
}

// How many characters the text holds.
inline std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += characterLength(text, at))
        ++count;
    return count;
}

// The byte offset of character n (counted from 0); the text's size when it has n or fewer.
inline std::size_t byteOffset(std::string_view text, std::size_t n) {
    std::size_t at = 0;
    for (; n > 0 && at < text.size(); --n)
        at += characterLength(text, at);
    return at;
}

// Appends the UTF-8 bytes of a character of the basic plane (up to U+FFFF), the characters that a
// key carries.
inline void appendUtf8(std::string& text, char32_t codePoint) {
    const auto put = [&](unsigned value) { text.push_back(static_cast<char>(value)); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace platform
