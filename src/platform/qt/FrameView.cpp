#include "platform/qt/FrameView.h"

#include <QGroupBox>
#include <QPixmap>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

#include "platform/qt/AccessibleViews.h"
#include "platform/qt/TextConversion.h"

namespace qtview {
namespace {

// A group box that draws its frame and caption into a picture once and shows the picture at each
// repaint until what its look depends on changes: the boxes inside a frame repaint the frame
// behind them at every key, and the style draws a frame more dearly than a box.
class FrameBox : public QGroupBox {
public:
    explicit FrameBox(QWidget& parent) : QGroupBox(&parent) {}

protected:
    void paintEvent(QPaintEvent*) override;

private:
    // What the look depends on: the style's option for the box, the style and the pixel ratio.
    struct Look {
        QSize size;
        qreal pixelRatio = 0;
        QStyle::State::Int state = 0;
        QString caption;
        qint64 palette = 0;
        QString font;
        const QStyle* style = nullptr;
        bool operator==(const Look&) const = default;
    };
    void draw(const QStyleOptionGroupBox& option);

    Look look_;
    QPixmap picture_;
};

void FrameBox::paintEvent(QPaintEvent*) {
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const Look look{option.rect.size(),
                    devicePixelRatio(),
                    option.state.toInt(),
                    option.text,
                    option.palette.cacheKey(),
                    font().key(),
                    style()};
    if (look != look_) {
        look_ = look;
        draw(option);
    }
    QPainter(this).drawPixmap(0, 0, picture_);
}

void FrameBox::draw(const QStyleOptionGroupBox& option) {
    picture_ = QPixmap(option.rect.size() * look_.pixelRatio);
    picture_.setDevicePixelRatio(look_.pixelRatio);
    picture_.fill(Qt::transparent);
    QStylePainter painter(&picture_, this);
    // The pen, brush and font that a painter on the box itself starts with.
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.setBrush(palette().brush(backgroundRole()));
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

}  // namespace

FrameView::FrameView(toolkit::Frame& model, QWidget& parent, UserInput& input)
    : FrameView(model, *new FrameBox(parent), input) {}

FrameView::FrameView(toolkit::Frame& model, QGroupBox& box, UserInput& input)
    : WidgetView(model, box, input), frame_(model), box_(box) {
    describeContainer(box_);
}

QWidget* FrameView::childArea() {
    return &box_;
}

void FrameView::showCaption() {
    const QString caption = toQString(frame_.Caption());
    if (box_.title() != caption) box_.setTitle(caption);
}

}  // namespace qtview
