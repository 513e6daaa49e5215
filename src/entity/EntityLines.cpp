// An entity's lines on the screen: its parameter record turned into Lst_Detail and Lst_Codes.
//
// The work is done once a distinct rubric code, not once a cell: the record's codes are numbered,
// the records of those codes read at once, and the column of each code that has a label built
// once; each line then copies its five columns.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "control/Ctr_Ostrevan_p.h"
#include "control/Mod_Var.h"
#include "data/ParameterRecord.h"
#include "entity/LineFormat.h"
#include "platform/TextIndex.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Marks.h"
#include "platform/toolkit/ItemList.h"
#include "rubric/RubricRecord.h"

namespace {

constexpr std::uint32_t kNoCode = platform::TextIndex::kNone;
// The bytes of a code and its separator in a code line, as most codes are.
constexpr std::size_t kShortCodeBytes = 4;

// The lines of a parameter record: its distinct codes, numbered in the order met, and each cell
// (kColumns.size() a line, in the order of the columns) the number of its code, kNoCode where the
// line names no rubric of that kind. The codes are views of the record's text.
struct RecordLines {
    platform::TextIndex codes;
    std::vector<std::uint32_t> cells;
    std::size_t count = 0;

    void add(std::string_view code) { cells.push_back(code.empty() ? kNoCode : codes.add(code)); }
};

RecordLines recordLines(std::string_view text) {
    const std::string_view weekdays = mvdb::nthPiece(text, mvdb::kAttributeMark, data::kColumns[0]);
    const auto expected = static_cast<std::size_t>(mvdb::markCount(weekdays, mvdb::kValueMark) + 1);
    RecordLines lines;
    lines.codes = platform::TextIndex(expected);
    lines.cells.reserve(expected * data::kColumns.size());
    lines.count = data::forEachLine(text, [&lines](const auto& codes) {
        for (const std::string_view code : codes)
            lines.add(code);
    });
    return lines;
}

// The display columns of the codes that have a label, one after the other in one text.
class CodeColumns {
public:
    explicit CodeColumns(std::size_t codes) : spans_(codes, {0, kNoCode}) {
        texts_.reserve(codes * (entity::kColumnWidth + 4));
    }
    // The column of the code shown, from its rubric's record.
    void set(std::uint32_t code, std::string_view shown, std::string_view rubric) {
        const std::size_t start = texts_.size();
        entity::appendColumn(texts_, shown, rubric::labelOf(rubric));
        spans_[code] = {static_cast<std::uint32_t>(start),
                        static_cast<std::uint32_t>(texts_.size() - start)};
    }
    bool has(std::uint32_t code) const { return spans_[code].second != kNoCode; }
    std::string_view of(std::uint32_t code) const {
        return std::string_view(texts_).substr(spans_[code].first, spans_[code].second);
    }

private:
    std::string texts_;
    // By code: where its column starts in texts_ and its size, kNoCode while it has none.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans_;
};

// The column of each code whose rubric has a record (RubricRecord.h).
CodeColumns labelColumns(const mvdb::DbFile& rubrics, const RecordLines& lines) {
    CodeColumns columns(lines.codes.size());
    rubric::forEachRubricOf(
        rubrics, lines.codes,
        [&](std::uint32_t code, std::string_view, std::string_view text, mvdb::Store::Version) {
            columns.set(code, lines.codes.text(code), text);
        });
    return columns;
}

// The bytes of all the display lines: a label in UTF-8 may take more bytes than characters.
std::size_t displayBytes(const RecordLines& lines, const CodeColumns& columns) {
    std::size_t bytes = 0;
    for (const std::uint32_t cell : lines.cells)
        bytes +=
            cell != kNoCode && columns.has(cell) ? columns.of(cell).size() : entity::kColumnWidth;
    return bytes;
}

}  // namespace

std::string Ctr_Ostrevan::Lire_Enregistrement(const component::Ref<mvdb::DbFile>& file,
                                              component::Ref<mvdb::DbRecord>& record,
                                              const std::string& key) {
    try {
        record = std::make_shared<mvdb::DbRecord>(file->ReadRecord(key));
    } catch (const platform::ComponentError& error) {
        if (error.number() != mvdb::kErrNoSuchRecord) throw;
        return std::string(kEchec);
    }
    return "";
}

void Ctr_Ostrevan::Remplir_Detail() {
    Lst_Detail.Clear();
    Lst_Codes.Clear();
    const std::string text = mEnrParam->Extract();
    const RecordLines lines = recordLines(text);
    const CodeColumns columns = labelColumns(*Mod_Var::gFicRubSaisie, lines);
    // The lines are made in lists of their own, which the emptied list boxes take over whole.
    toolkit::ItemList display;
    toolkit::ItemList codeLines;
    display.reserve(lines.count, displayBytes(lines, columns));
    codeLines.reserve(lines.count, lines.count * data::kColumns.size() * kShortCodeBytes);
    std::string displayLine;
    std::string codeLine;
    for (auto cell = lines.cells.begin(); cell != lines.cells.end();) {
        displayLine.clear();
        codeLine.clear();
        for (std::size_t column = 0; column < data::kColumns.size(); ++column, ++cell) {
            if (column > 0) codeLine += entity::kCodeSeparator;
            if (*cell == kNoCode || !columns.has(*cell)) {
                entity::appendBlankColumn(displayLine);
                continue;
            }
            displayLine += columns.of(*cell);
            codeLine += lines.codes.text(*cell);
        }
        display.append(displayLine);
        codeLines.append(codeLine);
    }
    Lst_Detail.addItems(display);
    Lst_Codes.addItems(codeLines);
}
