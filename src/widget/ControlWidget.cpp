#include "widget/ControlWidget.h"

#include <QVBoxLayout>

#include "platform/component/TypeInfo.h"
#include "platform/qt/MessageBoxService.h"
#include "platform/qt/SurfaceWidget.h"
#include "platform/toolkit/ContainerWindow.h"
#include "platform/toolkit/Surface.h"

namespace ostrevan {

// The control, its message boxes, and the view over its surface (a child widget, let go first).
class ControlWidget::Parts {
public:
    explicit Parts(ControlWidget* widget)
        : control(Ctr_Ostrevan_Interface::create()),
          messages(widget),
          view(new qtview::SurfaceWidget(control->surface(), widget)) {}

    std::unique_ptr<Ctr_Ostrevan_Interface> control;
    qtview::MessageBoxService messages;
    qtview::SurfaceWidget* view;
};

ControlWidget::ControlWidget(QWidget* parent)
    : QWidget(parent), parts_(std::make_unique<Parts>(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(parts_->view);
    resize(sizeHint());

    toolkit::Surface& surface = parts_->control->surface();
    surface.setMessageService(&parts_->messages);
    surface.setErrorHandler([this](const std::exception& error) {
        parts_->messages.ask({component::errorReport(error), "Erreur",
                              toolkit::MsgIcon::Exclamation, toolkit::MsgButtons::Ok});
    });
    // The unload comes from a handler that the view runs: the window closes once it has returned.
    surface.Parent().onUnload = [this] {
        emit unloaded();
        QMetaObject::invokeMethod(window(), &QWidget::close, Qt::QueuedConnection);
    };
}

ControlWidget::~ControlWidget() {
    toolkit::Surface& surface = parts_->control->surface();
    surface.setMessageService(nullptr);
    surface.setErrorHandler({});
    surface.Parent().onUnload = nullptr;
    delete parts_->view;
}

Ctr_Ostrevan_Interface& ControlWidget::control() const {
    return *parts_->control;
}

QSize ControlWidget::sizeHint() const {
    return parts_->view->sizeHint();
}

}  // namespace ostrevan
