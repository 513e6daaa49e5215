// A user at the settings screen: ostrevan-host in a real window on a virtual X display of the
// test's own (Xvfb), on a fresh sample database, driven with real key and mouse events sent
// through the X server by xdotool, and read back the way a person could: a code box's text copied
// to the clipboard (xsel), the database's records shown by mvdb.
//
// Widgets are found by name in the screen model: its geometry in twips, scaled by the window's
// width over the screen's design width, from the window's origin on the display. No pixel
// position is written anywhere else.
//
// Each Desktop has its own display (Xvfb picks a free number), database and component registry
// in the folder given, so that tests may run side by side. Every wait is bounded; what does not
// come in time throws std::runtime_error naming what was awaited.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "e2e/Program.h"
#include "platform/toolkit/Control.h"
#include "platform/toolkit/Surface.h"
#include "screen/Screen.h"

namespace e2e {

// The programs that the end-to-end tests need and this machine lacks, blank-separated; empty when
// every one is there.
std::string missingTools();

class Desktop {
public:
    explicit Desktop(const std::filesystem::path& folder);
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // Starts the host on the sample database and waits for its window.
    void startHost();

    // The user's actions, with the mouse on a widget of the screen, or the keyboard.
    void click(std::string_view widget);
    void doubleClickFirstLine(std::string_view list);
    void openDropDown(std::string_view combo);
    void type(std::string_view text);
    // xdotool's key names, blank-separated: "Return", "Down Down", "ctrl+a".
    void press(std::string_view keys);

    // The text of a code box or list, as the user copies it (Ctrl+A, Ctrl+C); empty when nothing
    // was copied in time (an empty box copies nothing, and costs the whole wait).
    std::string copiedText(std::string_view widget);

    // Waits for a message box of the screen, answers it with the keys given and waits until it
    // is gone.
    void answerMessageBox(std::string_view keys);

    // The host's exit status once it has ended, within the time given; nullopt while it runs.
    std::optional<int> hostEnded(std::chrono::milliseconds timeout);

    // The record as `mvdb show` prints it, without the newline.
    std::string record(std::string_view file, std::string_view key) const;
    // The record once it reads as expected, or as it still reads when the time is up.
    std::string recordOnceItReads(std::string_view file, std::string_view key,
                                  const std::string& expected) const;

private:
    struct Point {
        int x = 0;
        int y = 0;
    };

    const toolkit::Widget& widget(std::string_view name) const;
    toolkit::Rect onSurface(const toolkit::Widget& widget) const;
    Point pixel(double twipsX, double twipsY) const;
    void clickAt(Point point, int times);
    void focusWindow(const std::string& window);
    void pressKeys(std::string_view keys);
    Outcome onDisplay(const std::vector<std::string>& command) const;
    Outcome xdotool(const std::vector<std::string>& arguments);
    std::optional<std::string> visibleWindow(const std::string& title);
    std::string awaitWindow(const std::string& title, bool shown);

    std::filesystem::path folder_;
    std::filesystem::path database_;
    std::string display_;
    std::unique_ptr<Child> xvfb_;
    std::unique_ptr<Child> host_;  // after the display, so that it ends first
    std::string window_;
    Point origin_;
    double pixelsPerTwip_ = 0;
    toolkit::Surface surface_{screen::kDesignWidth, screen::kDesignHeight};
    screen::Screen screen_{surface_};
};

}  // namespace e2e
