#include "platform/toolkit/ListBox.h"

namespace toolkit {

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

}  // namespace toolkit
