#include "entity/LineFormat.h"

#include "platform/Utf8.h"

namespace entity {

std::string columnText(std::string_view code, std::string_view label) {
    std::string text = std::string(code) + "-" + std::string(label);
    text.resize(platform::byteOffset(text, kShownWidth));
    text.append(kColumnWidth - platform::characterCount(text), ' ');
    return text;
}

std::string editorColumn(std::string_view code, std::string_view label) {
    return columnText(code, label.substr(0, platform::byteOffset(label, kEditorLabelWidth)));
}

std::string blankColumn() {
    return std::string(kColumnWidth, ' ');
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
