#include "platform/toolkit/ListBox.h"

#include "platform/Utf8.h"

namespace toolkit {
namespace {

std::string_view withoutPadding(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

// Appends a column's text under its heading, as the column reads it, unless the column is blank.
void appendColumn(std::string& spoken, const ListColumn& column, std::string_view text) {
    const std::string_view value = withoutPadding(text);
    if (value.empty()) return;
    if (!spoken.empty()) spoken += ", ";
    if (!column.heading.empty()) {
        spoken += column.heading;
        spoken += ' ';
    }
    spoken += column.spoken ? column.spoken(value) : std::string(value);
}

}  // namespace

void ListBox::SetListIndex(int index) {
    if (!selectItem(index)) return;
    show(Aspect::Selection);
    raiseClick();
}

void ListBox::SetList(int index, std::string_view text) {
    items_.setText(index, text);
    showItems({ItemChange::Replaced, index});
}

void ListBox::RemoveItem(int index) {
    items_.remove(index);
    newIndex_ = -1;
    // The selection follows its item before the view is told, so that the view never shows the
    // old index over the rows left.
    const bool selectionMoved = index <= listIndex_;
    if (selectionMoved) listIndex_ = index == listIndex_ ? -1 : listIndex_ - 1;
    showItems({ItemChange::Removed, index});
    if (selectionMoved) show(Aspect::Selection);
}

std::string ListBox::spokenItem(int index) const {
    std::string_view rest = List(index);
    std::string spoken;
    for (const ListColumn& column : columns_) {
        const std::size_t end = platform::byteOffset(rest, column.width);
        appendColumn(spoken, column, rest.substr(0, end));
        rest.remove_prefix(end);
    }
    appendColumn(spoken, {}, rest);
    return spoken;
}

}  // namespace toolkit
