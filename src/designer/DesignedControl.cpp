#include "designer/DesignedControl.h"

#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "control/Ctr_Ostrevan.h"
#include "platform/qt/SurfaceWidget.h"

namespace {

class Ctr_Ostrevan : public QWidget {
    Q_OBJECT

public:
    explicit Ctr_Ostrevan(QWidget* parent)
        : QWidget(parent),
          control_(Ctr_Ostrevan_Interface::create()),
          view_(std::make_unique<qtview::SurfaceWidget>(control_->surface(), this)) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_.get());
        resize(sizeHint());
    }

    QSize sizeHint() const override { return view_->sizeHint(); }

private:
    std::unique_ptr<Ctr_Ostrevan_Interface> control_;
    // Declared after the control, so destroyed before it.
    std::unique_ptr<qtview::SurfaceWidget> view_;
};

}  // namespace

QWidget* designer::createDesignedControl(QWidget* parent) {
    return new Ctr_Ostrevan(parent);
}

#include "DesignedControl.moc"
