#include "host/WindowHost.h"

#include <QApplication>
#include <QMessageBox>
#include <memory>
#include <optional>

#include "control/ControleOstrevan.h"
#include "host/HostWindow.h"
#include "host/Session.h"
#include "platform/help/WindowHelpViewer.h"

extern "C" __attribute__((visibility("default"))) int ostrevanRunWindow(
    const host::Options* options, int* argc, char** argv) {
    QApplication application(*argc, argv);
    std::optional<host::Session> session;
    try {
        session.emplace(*options, [] { return std::make_shared<help::WindowHelpViewer>(); });
    } catch (const std::exception& error) {
        // A clerk who started the host from the desktop sees no standard error: the reason (no
        // database named, a database missing) shows in a box too.
        QMessageBox::critical(nullptr, QString::fromUtf8(controle_ostrevan::kTitre),
                              QString::fromUtf8(error.what()));
        throw;
    }
    host::HostWindow window(session->database().Name());
    session->start([&](const std::exception& error) { window.showError(error); },
                   [&](toolkit::Surface& surface) { window.show(surface); });
    if (session->surface() == nullptr) return host::kExitFailed;
    if (session->surface()->Parent().unloaded()) return host::kExitPassed;
    return QApplication::exec();
}
