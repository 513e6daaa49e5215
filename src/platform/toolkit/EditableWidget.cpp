#include "platform/toolkit/EditableWidget.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace toolkit {

void EditableWidget::SetText(std::string_view text) {
    edited(edit_.assign(text));
}

void EditableWidget::assignText(std::string_view text) {
    edit_.assign(text);
    edit_.select(0, std::string_view::npos);
    show(Aspect::Text);
}

void EditableWidget::SetSelection(int start, int length) {
    edit_.select(static_cast<std::size_t>(std::max(start, 0)),
                 static_cast<std::size_t>(std::max(length, 0)));
    show(Aspect::TextSelection);
}

void EditableWidget::typeKey(KeyCode code) {
    if (onKeyPress) onKeyPress(code);
    applyKey(code);
}

void EditableWidget::applyKey(KeyCode code) {
    if (code == kKeyBackspace) {
        edited(edit_.backspace());
    } else if (const char32_t character = characterOf(code); character != 0) {
        std::string typed;
        platform::appendUtf8(typed, character);
        edited(edit_.insert(typed));
    }
}

void EditableWidget::pressDelete() {
    edited(edit_.deleteForward());
}

void EditableWidget::paste(std::string_view text) {
    KeyCode code = kKeyPaste;
    if (onKeyPress) onKeyPress(code);
    if (code == kKeyPaste) {
        edited(edit_.insert(text));
    } else {
        applyKey(code);
    }
}

void EditableWidget::edited(bool changed) {
    if (!changed) {
        show(Aspect::TextSelection);
        return;
    }
    textChanged();
    show(Aspect::Text);
    if (onChange) onChange();
}

}  // namespace toolkit
