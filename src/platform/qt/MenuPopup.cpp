#include "platform/qt/MenuPopup.h"

#include "platform/qt/TextConversion.h"
#include "platform/toolkit/Surface.h"

namespace qtview {

MenuPopup::MenuPopup(toolkit::MenuEntry& menu, UserInput& input, QWidget& owner)
    : QMenu(&owner), menu_(menu), input_(input) {
    setAccessibleName(toQString(menu_.Caption()));
    for (toolkit::MenuEntry* entry : menu_.entries()) {
        QAction* action = addAction(toQString(entry->Caption()));
        action->setEnabled(entry->isUsable());
        action->setVisible(entry->Visible());
        connect(action, &QAction::triggered, this, [this, entry] { choose(*entry); });
    }
    // A chosen action is triggered after the menu hides: the closing is judged once it has.
    connect(this, &QMenu::aboutToHide, this, &MenuPopup::closed, Qt::QueuedConnection);
}

void MenuPopup::supersede() {
    settled_ = true;
    close();
}

void MenuPopup::choose(toolkit::MenuEntry& entry) {
    settled_ = true;
    input_.perform([&](toolkit::User& user) { user.chooseMenuEntry(entry); });
}

void MenuPopup::closed() {
    if (!settled_ && input_.surface().shownMenu() == &menu_) {
        input_.perform([](toolkit::User& user) { user.dismissMenu(); });
    }
    deleteLater();
}

}  // namespace qtview
