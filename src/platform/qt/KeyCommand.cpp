#include "platform/qt/KeyCommand.h"

#include <QKeyEvent>
#include <QKeySequence>

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

KeyCommand controlKey(const QKeyEvent& event) {
    const bool command = commandModifiers(event.modifiers());
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    switch (event.key()) {
        case Qt::Key_Tab:
            if (command) break;
            return {shift ? KeyCommand::Backtab : KeyCommand::Tab, {}};
        case Qt::Key_Backtab:
            if (command) break;
            return {KeyCommand::Backtab, {}};
        case Qt::Key_Backspace:
            if (command) break;
            return {KeyCommand::Type, QString(QChar(0x08))};
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (command) break;
            return {KeyCommand::Type, QString(QChar(0x0D))};
        case Qt::Key_Delete:
            if (command || shift) break;
            return {KeyCommand::Delete, {}};
        case Qt::Key_Up:
            if (command) break;
            return {KeyCommand::Previous, {}};
        case Qt::Key_Down:
            if (command) break;
            return {KeyCommand::Next, {}};
        default:
            break;
    }
    return {KeyCommand::Swallow, {}};
}

}  // namespace

KeyCommand keyCommand(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Paste)) return {KeyCommand::Paste, {}};
    if (caretKey(event)) return {KeyCommand::Caret, {}};
    if (const KeyCommand control = controlKey(event); control.kind != KeyCommand::Swallow) {
        return control;
    }
    if (!commandModifiers(event.modifiers()) && printable(event.text())) {
        return {KeyCommand::Type, event.text()};
    }
    if (passingKey(event)) return {KeyCommand::Pass, {}};
    return {KeyCommand::Swallow, {}};
}

}  // namespace qtview
