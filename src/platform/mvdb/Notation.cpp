#include "platform/mvdb/Notation.h"

#include <cctype>

#include "platform/Utf8.h"
#include "platform/mvdb/Marks.h"

namespace mvdb {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool isHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool startsEscape(std::string_view text, std::size_t at) {
    return text[at] == '%' && at + 2 < text.size() && isHex(text[at + 1]) && isHex(text[at + 2]);
}

void appendEscaped(std::string& out, unsigned char byte) {
    out += '%';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

int hexValue(char c) {
    const int upper = std::toupper(static_cast<unsigned char>(c));
    return upper <= '9' ? upper - '0' : upper - 'A' + 10;
}

}  // namespace

std::string toNotation(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        const auto byte = static_cast<unsigned char>(c);
        if (c == kAttributeMark) {
            out += '^';
        } else if (c == kValueMark) {
            out += ']';
        } else if (c == kSubvalueMark) {
            out += '\\';
        } else if (c == '^' || c == ']' || c == '\\' || byte < 0x20 || byte == 0x7F ||
                   startsEscape(text, at)) {
            appendEscaped(out, byte);
        } else if (byte >= 0x80) {
            const std::size_t length = platform::decodeUtf8(text, at).length;
            if (length == 0) {
                appendEscaped(out, byte);
            } else {
                out.append(text.substr(at, length));
                at += length;
                continue;
            }
        } else {
            out += c;
        }
        ++at;
    }
    return out;
}

std::string fromNotation(std::string_view notation) {
    std::string text;
    text.reserve(notation.size());
    for (std::size_t at = 0; at < notation.size(); ++at) {
        const char c = notation[at];
        if (c == '^') {
            text += kAttributeMark;
        } else if (c == ']') {
            text += kValueMark;
        } else if (c == '\\') {
            text += kSubvalueMark;
        } else if (startsEscape(notation, at)) {
            text += static_cast<char>(hexValue(notation[at + 1]) * 16 + hexValue(notation[at + 2]));
            at += 2;
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace mvdb
