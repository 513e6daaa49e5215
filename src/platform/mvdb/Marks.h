// The three marks that structure a dynamic array's text, and the scans over that text.
//
// A text is UTF-8, in which the bytes 252, 253 and 254 never occur, so each mark is one byte that
// cannot be mistaken for a character. A mark separates the elements of its level: attributes are
// separated by 254, the values of an attribute by 253, the subvalues of a value by 252.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace mvdb {

inline constexpr char kAttributeMark = '\xFE';
inline constexpr char kValueMark = '\xFD';
inline constexpr char kSubvalueMark = '\xFC';

inline bool isMark(char c) {
    return c == kAttributeMark || c == kValueMark || c == kSubvalueMark;
}

// The n-th piece of text (from 1) between occurrences of mark; "" past the last piece or for n < 1.
inline std::string_view nthPiece(std::string_view text, char mark, int n) {
    if (n < 1) return {};
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) {
        const std::size_t next = text.find(mark, start);
        if (next == std::string_view::npos) return {};
        start = next + 1;
    }
    const std::size_t end = text.find(mark, start);
    return text.substr(start, end == std::string_view::npos ? text.size() - start : end - start);
}

// The pieces of text between occurrences of mark: "" gives one empty piece, "a<m>" two.
inline std::vector<std::string_view> splitPieces(std::string_view text, char mark) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t next; (next = text.find(mark, start)) != std::string_view::npos;
         start = next + 1) {
        pieces.push_back(text.substr(start, next - start));
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

// The pieces of a text between occurrences of mark, taken one after the other, as splitPieces
// gives them but with nothing allocated: next() answers the next piece, "" once past the last.
class Pieces {
public:
    Pieces(std::string_view text, char mark) : text_(text), mark_(mark) {}

    bool done() const { return at_ > text_.size(); }
    std::string_view next() {
        if (done()) return {};
        std::size_t end = at_;
        // Pieces are short: a loop of compares beats a call of memchr each.
        while (end < text_.size() && text_[end] != mark_)
            ++end;
        const std::string_view piece = text_.substr(at_, end - at_);
        at_ = end + 1;
        return piece;
    }

private:
    std::string_view text_;
    char mark_;
    std::size_t at_ = 0;
};

// How many times mark occurs in text, eight bytes at a time: a byte of the word equal to the
// mark becomes 0 by the exclusive or, and only a zero byte keeps its high bit clear through the
// additions, which carry nothing from one byte to the next; the multiplication sums the bytes
// left at 1 into the top byte.
inline std::size_t markCount(std::string_view text, char mark) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t repeated = kOnes * static_cast<unsigned char>(mark);
    std::size_t count = 0;
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        word ^= repeated;
        const std::uint64_t zeros = ~(((word & kLow7) + kLow7) | word | kLow7) >> 7;
        count += static_cast<std::size_t>((zeros * kOnes) >> 56);
    }
    for (; at < text.size(); ++at)
        count += text[at] == mark;
    return count;
}

// Texts joined with mark between them.
template <class Pieces>
std::string joinPieces(const Pieces& pieces, char mark) {
    std::size_t size = pieces.empty() ? 0 : pieces.size() - 1;
    for (const auto& piece : pieces)
        size += std::string_view(piece).size();
    std::string text;
    text.reserve(size);
    bool first = true;
    for (const auto& piece : pieces) {
        if (!first) text += mark;
        first = false;
        text += piece;
    }
    return text;
}

}  // namespace mvdb
