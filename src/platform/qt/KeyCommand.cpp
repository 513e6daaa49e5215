#include "platform/qt/KeyCommand.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <optional>

#include "platform/toolkit/Keys.h"
#include "platform/toolkit/User.h"

namespace qtview {
namespace {

bool printable(const QString& text) {
    if (text.isEmpty()) return false;
    for (const QChar unit : text) {
        if (unit.unicode() < 0x20 || unit.unicode() == 0x7F) return false;
    }
    return true;
}

// Ctrl+Alt together is how some systems send AltGr: its characters are typed like any other.
bool commandModifiers(Qt::KeyboardModifiers modifiers) {
    const bool altGr = (modifiers & Qt::ControlModifier) && (modifiers & Qt::AltModifier);
    return !altGr && (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

bool caretKey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            return !(event.modifiers() & Qt::AltModifier);
        default:
            return event.matches(QKeySequence::Copy) || event.matches(QKeySequence::SelectAll);
    }
}

bool passingKey(const QKeyEvent& event) {
    const int key = event.key();
    const bool function = key >= Qt::Key_F1 && key <= Qt::Key_F35;
    const bool modifierAlone =
        (key >= Qt::Key_Shift && key <= Qt::Key_ScrollLock) || key == Qt::Key_AltGr;
    const bool altShortcut =
        (event.modifiers() & Qt::AltModifier) && !(event.modifiers() & Qt::ControlModifier);
    return key == Qt::Key_Escape || function || modifierAlone || altShortcut;
}

KeyCommand typed(toolkit::KeyCode code) {
    return {KeyCommand::Type, QString(QChar(static_cast<char16_t>(code)))};
}

// The control keys, pressed without Ctrl, Alt or Meta.
std::optional<KeyCommand> plainControlKey(const QKeyEvent& event) {
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    switch (event.key()) {
        case Qt::Key_Tab:
            return KeyCommand{shift ? KeyCommand::Backtab : KeyCommand::Tab, {}};
        case Qt::Key_Backtab:
            return KeyCommand{KeyCommand::Backtab, {}};
        case Qt::Key_Backspace:
            return typed(toolkit::kKeyBackspace);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return typed(toolkit::kKeyEnter);
        case Qt::Key_Delete:  // Shift+Delete cuts: swallowed
            return KeyCommand{shift ? KeyCommand::Swallow : KeyCommand::Delete, {}};
        case Qt::Key_Up:
            return KeyCommand{KeyCommand::Previous, {}};
        case Qt::Key_Down:
            return KeyCommand{KeyCommand::Next, {}};
        case Qt::Key_Menu:
            return KeyCommand{KeyCommand::Menu, {}};
        case Qt::Key_F10:
            return shift ? std::optional(KeyCommand{KeyCommand::Menu, {}}) : std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace

KeyCommand keyCommand(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Paste)) return {KeyCommand::Paste, {}};
    if (caretKey(event)) return {KeyCommand::Caret, {}};
    if (!commandModifiers(event.modifiers())) {
        if (std::optional<KeyCommand> control = plainControlKey(event)) return *control;
        if (printable(event.text())) return {KeyCommand::Type, event.text()};
    }
    if (passingKey(event)) return {KeyCommand::Pass, {}};
    return {KeyCommand::Swallow, {}};
}

void navigate(toolkit::User& user, const KeyCommand& command) {
    switch (command.kind) {
        case KeyCommand::Tab:
        case KeyCommand::Backtab:
            user.pressTab(command.kind == KeyCommand::Backtab);
            return;
        case KeyCommand::Menu:
            user.pressMenuKey();
            return;
        default:
            return;
    }
}

}  // namespace qtview
