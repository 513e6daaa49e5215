#include "platform/qt/TextBoxView.h"

#include <QLineEdit>

#include "platform/qt/Appearance.h"

namespace qtview {

TextBoxView::TextBoxView(toolkit::TextBox& model, QWidget& parent, UserInput& input)
    : TextBoxView(model, *new QLineEdit(&parent), input) {}

TextBoxView::TextBoxView(toolkit::TextBox& model, QLineEdit& edit, UserInput& input)
    : EditableView(model, edit, edit, input) {
    applyBackColour(edit, model.backColour());
}

}  // namespace qtview
