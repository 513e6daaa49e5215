#include "designer/DesignedControl.h"

#include <QVBoxLayout>

namespace designer {

Ctr_Ostrevan::Ctr_Ostrevan(QWidget* parent)
    : QWidget(parent),
      control_(Ctr_Ostrevan_Interface::create()),
      view_(std::make_unique<qtview::SurfaceWidget>(control_->surface(), this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_.get());
    resize(sizeHint());
}

Ctr_Ostrevan::~Ctr_Ostrevan() = default;

QSize Ctr_Ostrevan::sizeHint() const {
    return view_->sizeHint();
}

}  // namespace designer
