#include "platform/toolkit/ComboBox.h"

namespace toolkit {

void ComboBox::SetListIndex(int index) {
    if (!selectItem(index)) return;
    assignText(index == -1 ? std::string_view() : items_.text(index));
    show(Aspect::Selection);
    raiseClick();
}

void ComboBox::Clear() {
    clearItems();
    SetText("");
}

void ComboBox::textChanged() {
    if (listIndex_ != -1 && edit_.text() != items_.text(listIndex_)) {
        listIndex_ = -1;
        show(Aspect::Selection);
    }
}

}  // namespace toolkit
