// A widget whose text the user edits: a text box, or the text part of a combo box.
//
// Rules:
// - SetText raises Change only when the new text differs from the old; the caret goes to the
//   start.
// - A user's key goes first to onKeyPress, by reference, before anything is edited; a handler
//   that sets it to 0 discards it. A passed key then edits the text at the caret or over the
//   selection (Backspace erases, a printable character is typed, respecting the maximum length;
//   Enter and other control keys edit nothing), and Change follows when the text differs.
// - Delete erases without a key press, as the key has no character code; a paste goes through
//   onKeyPress as Ctrl+V (code 22) before the text is inserted.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/EditText.h"
#include "platform/toolkit/Keys.h"

namespace toolkit {

class User;

class EditableWidget : public Widget {
public:
    std::string Text() const override { return edit_.text(); }
    void SetText(std::string_view text) override;

    // The selected characters: start and length, in characters.
    int SelStart() const { return static_cast<int>(edit_.selStart()); }
    int SelLength() const { return static_cast<int>(edit_.selLength()); }
    void SetSelection(int start, int length);

    std::function<void()> onChange;
    std::function<void(KeyCode&)> onKeyPress;

protected:
    using Widget::Widget;

    // Writes the text without Change, all of it selected, as a chosen item's text stands.
    void assignText(std::string_view text);
    // Called after every change of the text, before the view is told and Change raised.
    virtual void textChanged() {}

    EditText edit_;

private:
    friend class User;
    void typeKey(KeyCode code);
    void applyKey(KeyCode code);
    void pressDelete();
    void paste(std::string_view text);
    void edited(bool changed);
};

}  // namespace toolkit
