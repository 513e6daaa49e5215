// What the views tell assistive technology (a screen reader, through Qt's accessibility
// interfaces): each Qt widget's role comes from its kind, its name and description from its
// model's Accessibility; a view of a kind that takes the focus says it is focusable (WidgetView).
//
// Two interfaces replace Qt's own:
// - A combo box answers its model's name as its name (Qt's own answers its current text on this
//   platform, naming it only through a label's buddy), and the rest as Qt's own does: its current
//   text as its value, its pop-up list (the items, the current one selected) and its text as its
//   children, whether the pop-up shows as its state, and opening or closing it as its action.
// - A widget that holds views (the surface, a frame) leaves the widgets that are not announced out
//   of its children, so that assistive technology never meets a decoration; a frame answers its
//   caption as its name, as Qt's own does.
#pragma once

#include "platform/toolkit/Control.h"

class QWidget;

namespace qtview {

// Shows what assistive technology says of the view's widget.
void describe(QWidget& widget, const toolkit::Accessibility& accessibility);
// Marks a widget that holds views: the surface's, or a frame's.
void describeContainer(QWidget& container);

}  // namespace qtview
