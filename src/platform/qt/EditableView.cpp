#include "platform/qt/EditableView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <limits>

#include "platform/qt/TextConversion.h"

namespace qtview {

EditableView::EditableView(toolkit::EditableWidget& model, QWidget& widget, QLineEdit& edit,
                           UserInput& input)
    : WidgetView(model, widget, input), editable_(model), edit_(edit) {
    edit_.setMaxLength(std::numeric_limits<int>::max());
    edit_.setAcceptDrops(false);
    if (&edit_ != &widget) watch(edit_);
    connect(&edit_, &QLineEdit::cursorPositionChanged, this, &EditableView::reportSelection);
    connect(&edit_, &QLineEdit::selectionChanged, this, &EditableView::reportSelection);
    // Qt's own edit (a drop, an input method) never stays.
    connect(&edit_, &QLineEdit::textEdited, this, [this] { aspectChanged(toolkit::Aspect::Text); });
}

std::pair<int, int> EditableView::qtSelection() const {
    if (!edit_.hasSelectedText()) return {edit_.cursorPosition(), edit_.cursorPosition()};
    return {edit_.selectionStart(), edit_.selectionEnd()};
}

void EditableView::showText() {
    const QString text = toQString(editable_.Text());
    if (edit_.text() != text) edit_.setText(text);
    showTextSelection();
}

void EditableView::showTextSelection() {
    const QString text = edit_.text();
    const int end = utf16Position(text, editable_.SelStart() + editable_.SelLength());
    const int start = editable_.hasFocus() ? utf16Position(text, editable_.SelStart()) : end;
    if (qtSelection() == std::pair(start, end)) return;
    if (end > start) {
        edit_.setSelection(start, end - start);
    } else {
        edit_.setCursorPosition(start);
    }
}

void EditableView::reportSelection() {
    // A caret in a text that is not the model's is Qt's own doing (a combo writing its item's
    // text), not the user's.
    const QString text = edit_.text();
    if (showing() || !editable_.hasFocus() || text != toQString(editable_.Text())) return;
    const auto [from, to] = qtSelection();
    const int start = characterPosition(text, from);
    const int length = characterPosition(text, to) - start;
    if (start == editable_.SelStart() && length == editable_.SelLength()) return;
    act([&](toolkit::User& user) { user.selectText(editable_, start, length); });
}

bool EditableView::otherKey(const KeyCommand& command) {
    switch (command.kind) {
        case KeyCommand::Delete:
            act([&](toolkit::User& user) { user.pressDelete(editable_); });
            return true;
        case KeyCommand::Paste: {
            const std::string pasted = toUtf8(QGuiApplication::clipboard()->text());
            act([&](toolkit::User& user) { user.paste(editable_, pasted); });
            return true;
        }
        case KeyCommand::Caret:
            // Qt moves the caret, and it is reported, once the widget has the focus.
            if (!editable_.hasFocus()) act([&](toolkit::User& user) { user.moveFocus(editable_); });
            return !editable_.hasFocus();
        default:
            return true;
    }
}

bool EditableView::otherEvent(QEvent& event) {
    if (event.type() != QEvent::InputMethod) return false;
    const QString committed = static_cast<QInputMethodEvent&>(event).commitString();
    if (!committed.isEmpty()) keyPressed({KeyCommand::Type, committed});
    return true;
}

}  // namespace qtview
