#include "platform/mvdb/Collation.h"

#include <algorithm>
#include <array>

#include "platform/Utf8.h"

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
    appendCollationKey(text, key);
    return key;
}

void appendCollationKey(std::string_view text, std::string& keys) {
    // No folded character is longer than the character it stands for, so the key, the folded text
    // with the exact text after it, fits in twice the text and one byte.
    const std::size_t start = keys.size();
    keys.resize(start + 2 * text.size() + 1);
    char* out = keys.data() + start;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (static_cast<unsigned char>(c) < 0x80) {
            *out++ = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            ++at;
            continue;
        }
        const platform::Utf8Char decoded = platform::decodeUtf8(text, at);
        const std::size_t length = decoded.length ? decoded.length : 1;
        const char* letters = decoded.length ? baseLetters(decoded.codePoint) : nullptr;
        const std::string_view folded =
            letters ? std::string_view(letters) : text.substr(at, length);
        out = std::copy(folded.begin(), folded.end(), out);
        at += length;
    }
    // The byte 0 sorts a shorter folded text first; the exact text then breaks the ties.
    *out++ = '\0';
    out = std::copy(text.begin(), text.end(), out);
    keys.resize(static_cast<std::size_t>(out - keys.data()));
}

}  // namespace mvdb
