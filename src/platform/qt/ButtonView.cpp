#include "platform/qt/ButtonView.h"

#include <QPushButton>

#include "platform/qt/TextConversion.h"

namespace qtview {

ButtonView::ButtonView(toolkit::Button& model, QWidget& parent, UserInput& input)
    : ButtonView(model, *new QPushButton(&parent), input) {}

ButtonView::ButtonView(toolkit::Button& model, QPushButton& button, UserInput& input)
    : WidgetView(model, button, input), button_(model), qtButton_(button) {
    qtButton_.setAutoDefault(false);
    connect(&qtButton_, &QPushButton::clicked, this, &ButtonView::click);
}

void ButtonView::showCaption() {
    const QString caption = toQString(button_.Caption());
    if (qtButton_.text() != caption) qtButton_.setText(caption);
}

void ButtonView::click() {
    act([&](toolkit::User& user) { user.click(button_); });
}

}  // namespace qtview
