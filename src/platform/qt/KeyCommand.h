// What a key pressed in a view means to the models, decided before Qt acts on it.
//
// Characters, Backspace and Enter are typed into the model (each UTF-16 unit one key code); Tab,
// Delete, a paste and the menu key (or Shift+F10) are the model's own actions; Up and Down step
// through items. Caret moves, Copy and Select All are left to Qt, which edits nothing with them;
// keys that edit nothing and may matter to the window (Escape, function keys, Alt shortcuts) pass
// on untouched. Every other key is swallowed, so that Qt never edits a text by itself (cut, undo,
// delete-word ...).
#pragma once

#include <QString>

class QKeyEvent;

namespace toolkit {
class User;
}

namespace qtview {

struct KeyCommand {
    enum Kind { Type, Tab, Backtab, Menu, Delete, Paste, Previous, Next, Caret, Pass, Swallow };

    Kind kind = Swallow;
    QString typed;  // for Type: the units typed, one key code each
};

KeyCommand keyCommand(const QKeyEvent& event);

// The user's action of a key that moves about the surface, wherever the focus is: Tab, Backtab or
// Menu; nothing for any other.
void navigate(toolkit::User& user, const KeyCommand& command);

}  // namespace qtview
