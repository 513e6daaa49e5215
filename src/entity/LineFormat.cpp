#include "entity/LineFormat.h"

#include "platform/Utf8.h"

namespace entity {

std::string columnText(std::string_view code, std::string_view label) {
    std::string text;
    appendColumn(text, code, label);
    return text;
}

void appendColumn(std::string& line, std::string_view code, std::string_view label) {
    const std::size_t start = line.size();
    line += code;
    line += '-';
    line += label;
    const std::string_view column = std::string_view(line).substr(start);
    line.resize(start + platform::byteOffset(column, kShownWidth));
    line.append(kColumnWidth - platform::characterCount(std::string_view(line).substr(start)), ' ');
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
