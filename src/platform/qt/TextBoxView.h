// The view of a text box: a QLineEdit (see EditableView), painted in the model's back colour.
#pragma once

#include "platform/qt/EditableView.h"
#include "platform/toolkit/TextBox.h"

namespace qtview {

class TextBoxView : public EditableView {
    Q_OBJECT

public:
    TextBoxView(toolkit::TextBox& model, QWidget& parent, UserInput& input);

private:
    TextBoxView(toolkit::TextBox& model, QLineEdit& edit, UserInput& input);
};

}  // namespace qtview
