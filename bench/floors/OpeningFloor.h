// The least work that the screen's side of an opening needs, in plain buffers reused from one
// opening to the next: the parameter record cut once into its lines and its distinct rubric codes
// (a flat table of them, no map of strings), a label given to each distinct code as its rubric is
// read, and each distinct code's display column made once and copied into every line that shows
// it. The lines are those of Lst_Detail and Lst_Codes (FloorLinesTest checks them against the
// screen's), for records whose codes all name rubrics by their own keys.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

class OpeningFloor {
public:
    // Cuts the record's five rubric attributes into lines and distinct codes; forgets the labels.
    void cut(std::string_view record);

    std::size_t codeCount() const { return codes_.size(); }
    std::string_view code(std::size_t index) const { return piece(codes_[index]); }
    // The index of the distinct code that is key; -1 when the record has no such code.
    std::int64_t find(std::string_view key) const;
    // The rubric's label for the distinct code: its record's first attribute.
    void setLabel(std::size_t index, std::string_view rubricRecord);

    // The display and code lines, from the codes and the labels found.
    void build();
    std::size_t lineCount() const { return displayEnds_.size(); }
    std::string_view displayLine(std::size_t line) const {
        return lineOf(display_, displayEnds_, line);
    }
    std::string_view codeLine(std::size_t line) const {
        return lineOf(codeLines_, codeEnds_, line);
    }

private:
    struct Span {
        std::uint32_t start = 0;
        std::uint32_t size = 0;
    };
    static constexpr std::uint32_t kNoLabel = UINT32_MAX;

    std::string_view piece(Span span) const {
        return std::string_view(record_).substr(span.start, span.size);
    }
    std::int64_t insert(Span code);
    static std::string_view lineOf(const std::string& text, const std::vector<std::uint32_t>& ends,
                                   std::size_t line);

    std::string record_;
    std::vector<std::int32_t> cells_;   // five a line: the cell's distinct code, -1 when empty
    std::vector<Span> codes_;           // the distinct codes, as pieces of the record
    std::vector<std::uint32_t> slots_;  // open addressing over codes_: index + 1, 0 when free
    std::vector<Span> labels_;          // each distinct code's label, in labelText_
    std::string labelText_;
    std::vector<Span> columns_;  // each distinct code's display column, in columnText_
    std::string columnText_;
    std::string display_, codeLines_;
    std::vector<std::uint32_t> displayEnds_, codeEnds_;
};

}  // namespace bench
