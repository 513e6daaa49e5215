// The view of a label: a QLabel with the model's caption as plain text, on one line from the
// left and sized to the caption, or centred and wrapped within its designed size.
#pragma once

#include "platform/qt/WidgetView.h"
#include "platform/toolkit/Label.h"

class QLabel;

namespace qtview {

class LabelView : public WidgetView {
    Q_OBJECT

public:
    LabelView(toolkit::Label& model, QWidget& parent, UserInput& input);

protected:
    void showCaption() override;

private:
    LabelView(toolkit::Label& model, QLabel& label, UserInput& input);

    toolkit::Label& label_;
    QLabel& qtLabel_;
};

}  // namespace qtview
