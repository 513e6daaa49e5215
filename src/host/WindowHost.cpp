#include "host/WindowHost.h"

#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "host/HostWindow.h"
#include "host/Session.h"
#include "platform/help/WindowHelpViewer.h"

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

}  // namespace

int runWindow(const Options& options, int& argc, char** argv) {
    if (!displayAvailable()) {
        std::cerr << "ostrevan-host: aucun affichage disponible (ni DISPLAY, ni WAYLAND_DISPLAY, "
                     "ni QT_QPA_PLATFORM ne sont définis) ; utilisez --headless --script FICHIER\n";
        return kExitNoDisplay;
    }
    QApplication application(argc, argv);
    Session session(options, [] { return std::make_shared<help::WindowHelpViewer>(); });
    HostWindow window(session.database().Name());
    session.start([&](const std::exception& error) { window.showError(error); },
                  [&](toolkit::Surface& surface) { window.show(surface); });
    if (session.surface() == nullptr) return kExitFailed;
    if (session.surface()->Parent().unloaded()) return kExitPassed;
    return QApplication::exec();
}

}  // namespace host
