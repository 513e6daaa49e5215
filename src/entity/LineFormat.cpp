#include "entity/LineFormat.h"

#include "platform/Utf8.h"

namespace entity {

std::string columnText(std::string_view code, std::string_view label) {
    std::string text;
    appendColumn(text, code, label);
    return text;
}

void appendColumn(std::string& line, std::string_view code, std::string_view label) {
    // One pass over the column's characters, cut at the shown width: a character never spans the
    // "-" between code and label, so each part is counted on its own.
    std::size_t characters = 0;
    const auto fitting = [&](std::string_view text) {
        std::size_t at = 0;
        for (; characters < kShownWidth && at < text.size(); ++characters) {
            const bool ascii = static_cast<unsigned char>(text[at]) < 0x80;
            at += ascii ? 1 : platform::characterLength(text, at);
        }
        return text.substr(0, at);
    };
    line += fitting(code);
    line += fitting("-");
    line += fitting(label);
    line.append(kColumnWidth - characters, ' ');
}

std::string editorColumn(std::string_view code, std::string_view label) {
    return columnText(code, label.substr(0, platform::byteOffset(label, kEditorLabelWidth)));
}

void appendBlankColumn(std::string& line) {
    line.append(kColumnWidth, ' ');
}

std::string codeLine(const std::array<std::string, 5>& codes) {
    std::string line = codes[0];
    for (std::size_t column = 1; column < codes.size(); ++column) {
        line += kCodeSeparator;
        line += codes[column];
    }
    return line;
}

}  // namespace entity
