// A user at the settings screen: ostrevan-host in a real window on a virtual X display of the
// test's own (Xvfb), on a fresh sample database, driven with real key events sent through the X
// server by xdotool; the database's records read back as mvdb shows them.
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

#include "support/Process.h"

namespace e2e {

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

    // The user's keys, to the host's window: xdotool's key names, blank-separated ("0 0 7 Tab",
    // "shift+Tab", "alt+Down").
    void press(std::string_view keys);

    // Waits for a message box of the screen, answers it with the key given, waits until it is gone
    // and gives the keyboard back to the host's window.
    void answerMessageBox(const std::string& key);

    // Closes the host's window as a window manager does when the user clicks its close button:
    // the window is sent the message WM_DELETE_WINDOW of its protocols.
    void closeWindow() const;

    // The host's exit status once it has ended, within the time given; nullopt while it runs.
    std::optional<int> hostEnded(std::chrono::milliseconds timeout) {
        return host_->waitForEnd(timeout);
    }

    // The record as `mvdb show` prints it, without the newline; with expected, once it reads so
    // or as it still reads when the time is up.
    std::string record(std::string_view file, std::string_view key,
                       const std::optional<std::string>& expected = std::nullopt) const;

private:
    // Polls for a window whose title matches (xdotool's regular expression, without regard to
    // letter case) to be shown, or gone, and gives it; throws when the host has ended meanwhile,
    // or when the time is up. The first window awaited, the host's, has the time of its start.
    std::string awaitWindow(const std::string& title, bool shown);
    // Runs xdotool on the display; throws when it fails, unless its failure is an answer.
    test_support::Outcome xdotool(std::vector<std::string> arguments, bool mayFail = false) const;
    void focus(const std::string& window) const { xdotool({"windowfocus", "--sync", window}); }

    std::filesystem::path database_;
    std::unique_ptr<test_support::Child> xvfb_;
    std::string display_;
    std::unique_ptr<test_support::Child> host_;  // after the display, so that it ends first
    std::string window_;
};

}  // namespace e2e
