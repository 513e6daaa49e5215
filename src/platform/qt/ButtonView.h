// The view of a command button: a QPushButton with the model's caption. A click, and Enter or
// Space while it has the focus, press the model's button.
#pragma once

#include "platform/qt/WidgetView.h"
#include "platform/toolkit/Button.h"

class QPushButton;

namespace qtview {

class ButtonView : public WidgetView {
    Q_OBJECT

public:
    ButtonView(toolkit::Button& model, QWidget& parent, UserInput& input);

protected:
    void showCaption() override;

private:
    ButtonView(toolkit::Button& model, QPushButton& button, UserInput& input);
    void click();

    toolkit::Button& button_;
    QPushButton& qtButton_;
};

}  // namespace qtview
