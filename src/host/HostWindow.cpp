#include "host/HostWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <string>

#include "control/ControleOstrevan.h"
#include "platform/component/TypeInfo.h"
#include "platform/qt/SurfaceWidget.h"

namespace host {

void HostWindow::MainWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    QApplication::quit();
}

HostWindow::HostWindow(const std::string& databaseName) : messages_(&window_) {
    window_.setWindowTitle(
        QString::fromUtf8(std::string(controle_ostrevan::kTitre) + " — " + databaseName));
    window_.layout()->setSizeConstraint(QLayout::SetFixedSize);
}

HostWindow::~HostWindow() {
    if (surface_ == nullptr) return;
    surface_->setMessageService(nullptr);
    surface_->setErrorHandler({});
    surface_->Parent().onUnload = nullptr;
}

void HostWindow::showError(const std::exception& error) {
    messages_.ask({component::errorReport(error), "Erreur", toolkit::MsgIcon::Exclamation,
                   toolkit::MsgButtons::Ok});
}

void HostWindow::show(toolkit::Surface& surface) {
    surface_ = &surface;
    surface.setMessageService(&messages_);
    surface.setErrorHandler([this](const std::exception& error) { showError(error); });
    auto* view = new qtview::SurfaceWidget(surface, &window_);
    view->setFixedSize(view->sizeHint());
    window_.setCentralWidget(view);
    // The unload comes from a handler that the view runs: the view goes once it has returned.
    surface.Parent().onUnload = [this, view] {
        view->deleteLater();
        window_.close();
    };
    window_.show();
}

}  // namespace host
