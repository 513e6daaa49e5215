#include "platform/qt/FrameView.h"

#include <QGroupBox>

#include "platform/qt/TextConversion.h"

namespace qtview {

FrameView::FrameView(toolkit::Frame& model, QWidget& parent, UserInput& input)
    : FrameView(model, *new QGroupBox(&parent), input) {}

FrameView::FrameView(toolkit::Frame& model, QGroupBox& box, UserInput& input)
    : WidgetView(model, box, input), frame_(model), box_(box) {}

QWidget* FrameView::childArea() {
    return &box_;
}

void FrameView::showCaption() {
    const QString caption = toQString(frame_.Caption());
    if (box_.title() != caption) box_.setTitle(caption);
}

}  // namespace qtview
