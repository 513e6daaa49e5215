// One menu of the models shown as a Qt pop-up menu at the pointer, named by the menu's caption
// for assistive technology, with one action per entry (its caption; hidden, or disabled when the
// user cannot choose it, as the entry is when the menu opens).
//
// Choosing an action is the user's choice of its entry; a pop-up closed without a choice is the
// user's dismissal of the menu. A pop-up replaced by a newer one (supersede()) reports nothing.
// The pop-up deletes itself once closed.
#pragma once

#include <QMenu>

#include "platform/qt/UserInput.h"
#include "platform/toolkit/MenuEntry.h"

namespace qtview {

class MenuPopup : public QMenu {
    Q_OBJECT

public:
    MenuPopup(toolkit::MenuEntry& menu, UserInput& input, QWidget& owner);

    // Closes the pop-up without telling the models, since they show another menu now.
    void supersede();

private:
    void choose(toolkit::MenuEntry& entry);
    void closed();

    toolkit::MenuEntry& menu_;
    UserInput& input_;
    bool settled_ = false;  // chosen or superseded: the closing is no dismissal
};

}  // namespace qtview
