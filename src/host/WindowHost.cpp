#include "host/WindowHost.h"

#include <QApplication>
#include <memory>

#include "host/HostWindow.h"
#include "host/Session.h"
#include "platform/help/WindowHelpViewer.h"

extern "C" __attribute__((visibility("default"))) int ostrevanRunWindow(
    const host::Options* options, int* argc, char** argv) {
    QApplication application(*argc, argv);
    host::Session session(*options, [] { return std::make_shared<help::WindowHelpViewer>(); });
    host::HostWindow window(session.database().Name());
    session.start([&](const std::exception& error) { window.showError(error); },
                  [&](toolkit::Surface& surface) { window.show(surface); });
    if (session.surface() == nullptr) return host::kExitFailed;
    if (session.surface()->Parent().unloaded()) return host::kExitPassed;
    return QApplication::exec();
}
