#include "host/WindowHost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "host/Session.h"
#include "platform/ComponentError.h"
#include "platform/component/TypeInfo.h"
#include "platform/help/WindowHelpViewer.h"
#include "platform/qt/MessageBoxService.h"
#include "platform/qt/SurfaceWidget.h"

namespace host {
namespace {

bool hasEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

bool displayAvailable() {
    return hasEnvironment("DISPLAY") || hasEnvironment("WAYLAND_DISPLAY") ||
           hasEnvironment("QT_QPA_PLATFORM");
}

// The top-level window: closing it ends the program, even while a help window stays open.
class MainWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override {
        QWidget::closeEvent(event);
        QApplication::quit();
    }
};

// The window and its message boxes, bound to the control's surface while they live.
class HostWindow {
public:
    HostWindow() : messages_(&window_) {
        window_.setWindowTitle("Paramètres de basculement du planning en saisie d'actvité");
        auto* layout = new QVBoxLayout(&window_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }
    ~HostWindow() {
        if (surface_ == nullptr) return;
        surface_->setMessageService(nullptr);
        surface_->setErrorHandler({});
        surface_->Parent().onUnload = nullptr;
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    void showError(const std::exception& error) {
        std::string text = error.what();
        if (const auto* numbered = dynamic_cast<const platform::ComponentError*>(&error)) {
            text += "\n\nErreur n° " + component::idText(numbered->number());
        }
        messages_.ask({text, "Erreur", toolkit::MsgIcon::Exclamation, toolkit::MsgButtons::Ok});
    }

    void show(toolkit::Surface& surface) {
        surface_ = &surface;
        surface.setMessageService(&messages_);
        surface.setErrorHandler([this](const std::exception& error) { showError(error); });
        auto* view = new qtview::SurfaceWidget(surface, &window_);
        view->setFixedSize(view->sizeHint());
        window_.layout()->addWidget(view);
        // The unload comes from a handler that the view runs: the view goes once it has returned.
        surface.Parent().onUnload = [this, view] {
            view->deleteLater();
            window_.close();
        };
        window_.show();
    }

private:
    MainWindow window_;
    qtview::MessageBoxService messages_;
    toolkit::Surface* surface_ = nullptr;
};

}  // namespace

int runWindow(const Options& options, int& argc, char** argv) {
    if (!displayAvailable()) {
        std::cerr << "ostrevan-host: no display available (DISPLAY, WAYLAND_DISPLAY and "
                     "QT_QPA_PLATFORM are not set); use --headless --script FILE\n";
        return kExitNoDisplay;
    }
    QApplication application(argc, argv);
    Session session(options, [] { return std::make_shared<help::WindowHelpViewer>(); });
    HostWindow window;
    session.start([&](const std::exception& error) { window.showError(error); },
                  [&](toolkit::Surface& surface) { window.show(surface); });
    if (session.surface() == nullptr) return kExitFailed;
    if (session.surface()->Parent().unloaded()) return kExitPassed;
    return QApplication::exec();
}

}  // namespace host
