// A dynamic array's operations done on its bare text, for the tests and the fuzzers to compare
// DynArray with.
#pragma once

#include <algorithm>
#include <string>
#include <utility>

namespace mvdb::testing {

// The same operations done on the bare text, pasting each new text at its place: slow, plain,
// and the meaning that DynArray must keep.
class TextModel {
public:
    std::string text;

    std::string extract(int a, int v, int s) {
        std::string copy = text;
        const auto [begin, end] = element(copy, a, v, s);
        return copy.substr(begin, end - begin);
    }
    void replace(int a, int v, int s, const std::string& piece) {
        const auto [begin, end] = element(text, a, v, s);
        text.replace(begin, end - begin, piece);
    }
    int dcount() const {
        return text.empty() ? 0
                            : static_cast<int>(std::count(text.begin(), text.end(), '\xFE')) + 1;
    }

private:
    using Range = std::pair<std::size_t, std::size_t>;

    static Range element(std::string& text, int a, int v, int s) {
        if (a == 0) return {0, text.size()};
        Range range = piece(text, {0, text.size()}, '\xFE', a);
        if (v > 0) range = piece(text, range, '\xFD', v);
        if (v > 0 && s > 0) range = piece(text, range, '\xFC', s);
        return range;
    }

    // Piece n of text within range, adding marks at the end of the range until it exists.
    static Range piece(std::string& text, Range range, char mark, int n) {
        auto [start, end] = range;
        for (int i = 1; i < n; ++i) {
            std::size_t next = text.find(mark, start);
            if (next == std::string::npos || next >= end) {
                text.insert(end, 1, mark);
                next = end++;
            }
            start = next + 1;
        }
        const std::size_t stop = text.find(mark, start);
        return {start, stop == std::string::npos || stop > end ? end : stop};
    }
};

}  // namespace mvdb::testing
