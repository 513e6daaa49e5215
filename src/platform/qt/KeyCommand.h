// What a key pressed in a view means to the models, decided before Qt acts on it.
//
// Characters, Backspace and Enter are typed into the model (each UTF-16 unit one key code); Tab
// and Delete and a paste are the model's own actions; Up and Down step through items. Caret moves,
// Copy and Select All are left to Qt, which edits nothing with them; keys that edit nothing and may
// matter to the window (Escape, function keys, Alt shortcuts) pass on untouched. Every other key
// is swallowed, so that Qt never edits a text by itself (cut, undo, delete-word ...).
#pragma once

#include <QString>

class QKeyEvent;

namespace qtview {

struct KeyCommand {
    enum Kind { Type, Tab, Backtab, Delete, Paste, Previous, Next, Caret, Pass, Swallow };

    Kind kind = Swallow;
    QString typed;  // for Type: the units typed, one key code each
};

KeyCommand keyCommand(const QKeyEvent& event);

}  // namespace qtview
