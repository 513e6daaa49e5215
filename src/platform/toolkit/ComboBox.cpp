#include "platform/toolkit/ComboBox.h"

namespace toolkit {

void ComboBox::SetListIndex(int index) {
    if (!selectItem(index)) return;
    assignText(index == -1 ? std::string_view() : std::string_view(items_.at(index).text));
    show(Aspect::Selection);
    raiseClick();
}

void ComboBox::Clear() {
    clearItems();
    SetText("");
}

void ComboBox::textChanged() {
    if (listIndex_ != -1 && edit_.text() != items_.at(listIndex_).text) {
        listIndex_ = -1;
        show(Aspect::Selection);
    }
}

}  // namespace toolkit
