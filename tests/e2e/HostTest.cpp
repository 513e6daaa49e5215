// The host as a process: the status it ends with where no window can be shown, and its end when
// the window manager closes its window while the help's window stays open.
#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "e2e/DesktopTest.h"
#include "support/Process.h"

namespace {

using namespace std::chrono_literals;

TEST(HostWithoutDisplay, EndsWithStatus3) {
    const test_support::Outcome ended =
        test_support::run({"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
                           OSTREVAN_HOST, "--db", "sample.mvdb"});
    EXPECT_EQ(3, ended.status);
}

using HostWindow = e2e::DesktopTest;

TEST_F(HostWindow, ClosedByTheWindowManagerEndsTheHostThoughTheHelpStaysOpen) {
    // The help by the keyboard: its window has the screen's title alone, the host's adds the
    // database after it.
    desktop->press({"shift+F10", "Down", "Return"});
    desktop->awaitWindow("en saisie d'actvit[^ ]*$", true);
    desktop->closeWindow();
    EXPECT_EQ(0, desktop->hostEnded(30s));
}

}  // namespace
