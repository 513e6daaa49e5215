#include "platform/mvdb/Collation.h"

#include <array>

#include "platform/mvdb/Utf8.h"

namespace mvdb {
namespace {

// The letters of U+00C0 to U+00FF without case and accent; nullptr for × and ÷.
constexpr std::array<const char*, 64> kLatin1Letters = {
    "a", "a", "a", "a", "a", "a", "ae", "c",     "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  nullptr, "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c",     "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  nullptr, "o", "u", "u", "u", "u", "y", "th", "y"};

const char* baseLetters(char32_t codePoint) {
    if (codePoint >= 0xC0 && codePoint <= 0xFF) return kLatin1Letters[codePoint - 0xC0];
    if (codePoint == 0x152 || codePoint == 0x153) return "oe";
    if (codePoint == 0x178) return "y";
    return nullptr;
}

}  // namespace

std::string collationKey(std::string_view text) {
    std::string key;
    key.reserve(2 * text.size() + 1);
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Char c = decodeUtf8(text, at);
        const std::size_t length = c.length ? c.length : 1;
        if (c.codePoint >= 'A' && c.codePoint <= 'Z') {
            key += static_cast<char>(c.codePoint - 'A' + 'a');
        } else if (const char* letters = c.length ? baseLetters(c.codePoint) : nullptr) {
            key += letters;
        } else {
            key.append(text.substr(at, length));
        }
        at += length;
    }
    // The exact text breaks the ties; the byte 0 sorts a shorter folded text first.
    key += '\0';
    key.append(text);
    return key;
}

}  // namespace mvdb
