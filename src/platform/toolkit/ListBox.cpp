#include "platform/toolkit/ListBox.h"

#include "platform/Utf8.h"

namespace toolkit {
namespace {

std::string_view withoutPadding(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

// Appends a column's text under its heading, unless the column is blank.
void appendColumn(std::string& spoken, std::string_view heading, std::string_view text) {
    const std::string_view value = withoutPadding(text);
    if (value.empty()) return;
    if (!spoken.empty()) spoken += ", ";
    if (!heading.empty()) {
        spoken += heading;
        spoken += ' ';
    }
    spoken += value;
}

}  // namespace

void ListBox::SetListIndex(int index) {
    if (!selectItem(index)) return;
    show(Aspect::Selection);
    raiseClick();
}

void ListBox::SetList(int index, std::string_view text) {
    items_.at(index).text = text;
    showItems({ItemChange::Replaced, index});
}

void ListBox::RemoveItem(int index) {
    items_.remove(index);
    newIndex_ = -1;
    showItems({ItemChange::Removed, index});
    if (index <= listIndex_) {
        listIndex_ = index == listIndex_ ? -1 : listIndex_ - 1;
        show(Aspect::Selection);
    }
}

std::string ListBox::spokenItem(int index) const {
    std::string_view rest = List(index);
    std::string spoken;
    for (const ListColumn& column : columns_) {
        const std::size_t end = platform::byteOffset(rest, column.width);
        appendColumn(spoken, column.heading, rest.substr(0, end));
        rest.remove_prefix(end);
    }
    appendColumn(spoken, "", rest);
    return spoken;
}

}  // namespace toolkit
