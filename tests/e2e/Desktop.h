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
#include <vector>

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
    // Makes the sample database and the display, starts the host, with the variables given added
    // to its environment ("NAME=value"), and waits for its window.
    explicit Desktop(const std::filesystem::path& folder,
                     const std::vector<std::string>& hostEnvironment = {});

    // The database the host shows, as its window's title names it.
    const std::filesystem::path& database() const { return database_; }

    // Brings the host's window to the front and gives it the keyboard, as the user does when
    // coming back to it from another window.
    void showWindow() const { focus(window_); }

    // The user's actions, with the mouse on a widget of the screen, or the keyboard.
    void click(std::string_view widget);
    // The first line lies just under the list's top edge and is at least as tall as the list's
    // font (a point is 20 twips): two thirds of the font's height below the edge falls inside it.
    void doubleClickFirstLine(std::string_view list);
    // The drop-down button is at the right end of the combo box, about as wide as the box is high.
    void openDropDown(std::string_view combo);
    void type(std::string_view text);
    // xdotool's key names: "Return", "Down", "ctrl+a".
    void press(std::vector<std::string> keys);

    // The text of a code box, as the user copies it (Ctrl+A, Ctrl+C); empty when nothing was
    // copied in time (an empty box copies nothing, and costs the whole wait).
    std::string copiedText(std::string_view widget);

    // Waits for a message box of the screen, answers it with the key given and waits until it is
    // gone.
    void answerMessageBox(const std::string& key);

    // The host's exit status once it has ended, within the time given; nullopt while it runs.
    std::optional<int> hostEnded(std::chrono::milliseconds timeout) {
        return host_->waitForEnd(timeout);
    }

    // The record as `mvdb show` prints it, without the newline; with expected, once it reads so
    // or as it still reads when the time is up.
    std::string record(std::string_view file, std::string_view key,
                       const std::optional<std::string>& expected = std::nullopt) const;

private:
    const toolkit::Widget& widget(std::string_view name) const;
    // The widget's area on the surface, in twips.
    toolkit::Rect area(const toolkit::Widget& widget) const;
    // Clicks, times over, at that point of the surface, in twips.
    void clickAt(double x, double y, int times = 1);
    Outcome onDisplay(std::vector<std::string> command) const;
    Outcome xdotool(std::vector<std::string> arguments) const;
    void focus(const std::string& window) const { xdotool({"windowfocus", "--sync", window}); }
    std::string awaitWindow(const std::string& title, bool shown);

    std::filesystem::path database_;
    std::unique_ptr<Child> xvfb_;
    std::string display_;
    std::unique_ptr<Child> host_;  // after the display, so that it ends first
    std::string window_;
    int originX_ = 0;
    int originY_ = 0;
    double pixelsPerTwip_ = 0;
    toolkit::Surface surface_{screen::kDesignWidth, screen::kDesignHeight};
    screen::Screen screen_{surface_};
};

}  // namespace e2e
