#include "platform/qt/LabelView.h"

#include <QLabel>

#include "platform/qt/TextConversion.h"

namespace qtview {

LabelView::LabelView(toolkit::Label& model, QWidget& parent, UserInput& input)
    : LabelView(model, *new QLabel(&parent), input) {}

LabelView::LabelView(toolkit::Label& model, QLabel& label, UserInput& input)
    : WidgetView(model, label, input), label_(model), qtLabel_(label) {
    qtLabel_.setTextFormat(Qt::PlainText);
    const bool wrapped = model.layout() == toolkit::LabelLayout::CentredAndWrapped;
    qtLabel_.setAlignment((wrapped ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    qtLabel_.setWordWrap(wrapped);
}

void LabelView::showCaption() {
    const QString caption = toQString(label_.Caption());
    if (qtLabel_.text() == caption) return;
    qtLabel_.setText(caption);
    if (label_.layout() == toolkit::LabelLayout::SizedToCaption)
        qtLabel_.resize(qtLabel_.sizeHint());
}

}  // namespace qtview
