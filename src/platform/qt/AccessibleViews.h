// What the views tell assistive technology (a screen reader, through Qt's accessibility
// interfaces): each Qt widget's role comes from its kind, its name and description from its
// model's Accessibility.
//
// Two interfaces replace Qt's own: a combo box answers its model's name as its name when it has
// one (Qt's own answers its current text, and names it only through a label's buddy), and
// a widget that is not announced answers as invisible, as Qt's own interfaces answer for a hidden
// widget, so that assistive technology skips both alike. Qt lets an interface leave a child out of
// its parent's children only by replacing the parent's interface: invisible is what it offers for
// one widget.
#pragma once

#include "platform/toolkit/Control.h"

class QWidget;

namespace qtview {

// Shows what assistive technology says of the widget; its first call installs the interfaces
// above, before Qt makes an interface for any view.
void describe(QWidget& widget, const toolkit::Accessibility& accessibility);

}  // namespace qtview
