// Makes the view of one widget model, of the view class of its kind, inside a parent Qt widget,
// bound to the model and showing it.
#pragma once

#include <memory>

#include "platform/qt/WidgetView.h"

class QWidget;

namespace qtview {

std::unique_ptr<WidgetView> makeView(toolkit::Widget& model, QWidget& parent, UserInput& input);

}  // namespace qtview
