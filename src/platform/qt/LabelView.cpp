#include "platform/qt/LabelView.h"

#include <QLabel>

#include "platform/qt/TextConversion.h"

namespace qtview {

LabelView::LabelView(toolkit::Label& model, QWidget& parent, UserInput& input)
    : LabelView(model, *new QLabel(&parent), input) {}

LabelView::LabelView(toolkit::Label& model, QLabel& label, UserInput& input)
    : WidgetView(model, label, input), label_(model), qtLabel_(label) {
    qtLabel_.setTextFormat(Qt::PlainText);
    const bool centred = model.alignment() == toolkit::Alignment::Centre;
    qtLabel_.setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    qtLabel_.setWordWrap(model.wordWrap());
}

void LabelView::showContent() {
    const QString caption = toQString(label_.Caption());
    if (qtLabel_.text() != caption) qtLabel_.setText(caption);
}

}  // namespace qtview
