// The host's window over a surface, on Qt's offscreen platform: the container's unload closes it,
// and an error reaching the host shows in a message box while the window goes on.
#include <QApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

#include "host/HostWindow.h"
#include "platform/ComponentError.h"
#include "qt/QtTesting.h"
#include "screen/Screen.h"

namespace host {
namespace {

TEST(HostWindowTest, AnErrorOfAHandlerShowsInABoxAndTheWindowGoesOnUntilTheContainerUnloads) {
    toolkit::Surface surface{screen::kDesignWidth, screen::kDesignHeight};
    screen::Screen screen{surface};
    HostWindow window("paie.mvdb");
    EXPECT_TRUE(window.window().windowTitle().endsWith(QString::fromUtf8("actvité — paie.mvdb")));
    window.show(surface);
    QString shown;
    qttesting::actingOnTheBox(
        [&](QMessageBox& box) {
            shown = box.text();
            box.accept();
        },
        [&] {
            surface.deliver([] {
                throw platform::ComponentError(static_cast<std::int32_t>(0x8004000B),
                                               "Enregistrement absent");
            });
        });
    EXPECT_EQ(shown, QString::fromUtf8("Enregistrement absent\n\nErreur n° 0x8004000B"));
    EXPECT_TRUE(window.window().isVisible());
    surface.Parent().Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window.window().isVisible());
}

}  // namespace
}  // namespace host
