// Fuzzes DynArray and the ^ ] \ notation with any bytes, taken both as a record's text and as that
// text written in the notation. Each text is read element by element, written back element by
// element, then changed by a run of Replace calls that the input's last bytes choose; after each
// step the array must agree with the same operations done on the bare text (TextModel).
#include "platform/mvdb/DynArray.h"

#include <algorithm>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "Check.h"
#include "mvdb/TextModel.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Marks.h"
#include "platform/mvdb/Notation.h"

namespace mvdb::fuzz {
namespace {

using testing::TextModel;

// How many elements of each level are read, past which a text's elements are left unread.
constexpr int kReadAtMost = 4;
constexpr int kChangesAtMost = 16;

int piecesIn(const std::string& text, char mark) {
    return static_cast<int>(std::count(text.begin(), text.end(), mark)) + 1;
}

void checkNotation(const std::string& text) {
    const std::string notation = toNotation(text);
    require(fromNotation(notation) == text, "the notation reads back to the text", text);
    require(std::none_of(notation.begin(), notation.end(),
                         [](char c) {
                             const auto byte = static_cast<unsigned char>(c);
                             return isMark(c) || byte < 0x20 || byte == 0x7F;
                         }),
            "the notation holds no mark and no control character", text);
}

// Every element up to kReadAtMost at each level, and the first one past the last, as the model
// reads it (after an index 0, one index more, which must be ignored); DCount as the model counts.
void checkReads(const DynArray& array, TextModel& model) {
    require(array.DCount() == model.dcount(), "DCount counts the attribute marks", model.text);
    const int attributes = std::min(model.dcount(), kReadAtMost) + 1;
    for (int a = 0; a <= attributes; ++a) {
        const int values =
            a == 0 ? 1 : std::min(piecesIn(model.extract(a, 0, 0), kValueMark), kReadAtMost) + 1;
        for (int v = 0; v <= values; ++v) {
            const int subvalues =
                a == 0 || v == 0
                    ? 1
                    : std::min(piecesIn(model.extract(a, v, 0), kSubvalueMark), kReadAtMost) + 1;
            for (int s = 0; s <= subvalues; ++s) {
                require(array.Extract(a, v, s) == model.extract(a, v, s),
                        "Extract reads the element between its marks", model.text);
            }
        }
    }
}

// Each subvalue of the text written in its place into an empty array gives the text again.
void checkWrittenBack(const std::string& text) {
    DynArray rebuilt;
    const auto attributes = splitPieces(text, kAttributeMark);
    for (std::size_t a = 0; a < attributes.size(); ++a) {
        const auto values = splitPieces(attributes[a], kValueMark);
        for (std::size_t v = 0; v < values.size(); ++v) {
            const auto subvalues = splitPieces(values[v], kSubvalueMark);
            for (std::size_t s = 0; s < subvalues.size(); ++s) {
                rebuilt.Replace(static_cast<int>(a + 1), static_cast<int>(v + 1),
                                static_cast<int>(s + 1), subvalues[s]);
            }
        }
    }
    require(rebuilt.Extract() == text, "a text written back element by element is the same", text);
}

// The texts a change writes: plain ones, ones holding each mark, and elements of the text.
std::string pieceToWrite(FuzzedDataProvider& choices, const TextModel& original) {
    static const std::string kPieces[] = {"",         "x",      "PAIE03", "é",
                                          "101\xFDy", "1\xFCz", "a\xFEz", "\xFE\xFD\xFC"};
    const int which = choices.ConsumeIntegralInRange<int>(0, std::size(kPieces));
    if (which < static_cast<int>(std::size(kPieces))) return kPieces[which];
    TextModel source = original;
    return source.extract(choices.ConsumeIntegralInRange<int>(0, source.dcount() + 1),
                          choices.ConsumeIntegralInRange<int>(0, 3),
                          choices.ConsumeIntegralInRange<int>(0, 2));
}

// Whether an element at (a, v, s) reads back as piece once piece is written there: unless piece
// holds a mark of the element's level or of a higher one, which makes it several elements.
bool readsBackWhole(int v, int s, const std::string& piece) {
    const char lowest = s > 0 ? kSubvalueMark : v > 0 ? kValueMark : kAttributeMark;
    return std::none_of(piece.begin(), piece.end(), [lowest](char c) {
        return isMark(c) && static_cast<unsigned char>(c) >= static_cast<unsigned char>(lowest);
    });
}

// A Replace at an index out of range fails with kErrBadIndex and changes nothing.
void checkRefused(DynArray& array, int a, int v, int s, const std::string& text) {
    try {
        array.Replace(a, v, s, "x");
        require(false, "a Replace out of range fails", text);
    } catch (const platform::ComponentError& error) {
        require(error.number() == kErrBadIndex, "a Replace out of range fails with kErrBadIndex",
                text);
    }
    require(array.Extract() == text, "a Replace that failed changed nothing", text);
}

void checkChanges(const std::string& text, FuzzedDataProvider& choices) {
    const TextModel original{text};
    TextModel model{text};
    DynArray array(text);
    const int changes = choices.ConsumeIntegralInRange<int>(0, kChangesAtMost);
    for (int change = 0; change < changes; ++change) {
        const int a = choices.ConsumeIntegralInRange<int>(0, model.dcount() + 2);
        const int v = choices.ConsumeIntegralInRange<int>(0, 4);
        const int s = choices.ConsumeIntegralInRange<int>(0, 3);
        if (choices.ConsumeIntegralInRange<int>(0, 7) == 0) {
            const int huge = DynArray::kMaxIndex + 1;
            checkRefused(array, a, v, -1, model.text);
            checkRefused(array, huge, v, s, model.text);
            checkRefused(array, std::max(a, 1), huge, s, model.text);
            checkRefused(array, std::max(a, 1), std::max(v, 1), huge, model.text);
            continue;
        }
        const std::string piece = pieceToWrite(choices, original);
        array.Replace(a, v, s, piece);
        model.replace(a, v, s, piece);
        require(array.Extract() == model.text, "Replace pastes the text at its place", text);
        if (a > 0 && readsBackWhole(v, s, piece)) {
            require(array.Extract(a, v, s) == piece, "Extract reads what Replace wrote", text);
        }
    }
    checkReads(array, model);
}

void checkText(const std::string& text, FuzzedDataProvider& choices) {
    checkNotation(text);
    TextModel model{text};
    checkReads(DynArray(text), model);
    checkWrittenBack(text);
    checkChanges(text, choices);
}

}  // namespace
}  // namespace mvdb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    FuzzedDataProvider choices(data, size);
    mvdb::fuzz::checkText(input, choices);
    mvdb::fuzz::checkText(mvdb::fromNotation(input), choices);
    return 0;
}
