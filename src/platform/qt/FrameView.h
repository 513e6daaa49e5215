// The view of a frame: a QGroupBox with the model's caption, holding the views of the widgets
// inside the frame (their geometry is relative to the frame). The box's look is drawn once and
// shown again while its size, caption and state stay, since every box inside repaints it.
#pragma once

#include "platform/qt/WidgetView.h"
#include "platform/toolkit/Frame.h"

class QGroupBox;

namespace qtview {

class FrameView : public WidgetView {
    Q_OBJECT

public:
    FrameView(toolkit::Frame& model, QWidget& parent, UserInput& input);

    QWidget* childArea() override;

protected:
    void showCaption() override;

private:
    FrameView(toolkit::Frame& model, QGroupBox& box, UserInput& input);

    toolkit::Frame& frame_;
    QGroupBox& box_;
};

}  // namespace qtview
