// What the views of a text box and of a combo box's text part share: a QLineEdit that mirrors an
// editable model.
//
// The line edit shows the model's text, and its selection (in characters, shown in UTF-16 units)
// only while the model's widget has the focus: without it, the caret stands at the selection's end
// and nothing is highlighted, as a person expects of a box they are not in. Typing, Backspace,
// Enter, Delete and paste go to the model before Qt sees them; the line edit then shows the model's
// result. Caret moves and selections made by Qt (arrows, Home, End, the mouse, Select All) are
// reported to the model while its widget has the focus. An edit that Qt would make by itself (a
// drop, an input method) never stays: the model's text is shown again.
#pragma once

#include <utility>

#include "platform/qt/WidgetView.h"
#include "platform/toolkit/EditableWidget.h"

class QLineEdit;

namespace qtview {

class EditableView : public WidgetView {
    Q_OBJECT

protected:
    EditableView(toolkit::EditableWidget& model, QWidget& widget, QLineEdit& edit,
                 UserInput& input);

    void showText() override;
    void showTextSelection() override;
    bool otherKey(const KeyCommand& command) override;
    bool otherEvent(QEvent& event) override;

private:
    // Qt's selection, from start to end in UTF-16 units.
    std::pair<int, int> qtSelection() const;
    void reportSelection();

    toolkit::EditableWidget& editable_;
    QLineEdit& edit_;
};

}  // namespace qtview
