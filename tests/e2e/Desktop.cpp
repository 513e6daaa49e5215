#include "e2e/Desktop.h"

#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <X11/Xlib.h>

namespace e2e {

using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

// Titles, as regular expressions that xdotool matches without regard to letter case: the host's
// window, and the screen's message boxes (« Message QUORVEL » and the line editor's « Message
// Quorvel »).
const std::string kWindowTitle = "basculement du planning";
const std::string kMessageBoxTitle = "^Message Quorvel$";

// The host under AddressSanitizer starts slowly; a window or a record waits that long at most.
constexpr auto kStartTime = 90s;
constexpr auto kWaitTime = 30s;
// A key comes once the screen reader has had the time to read, over the bus, the states of the
// object that the key before gave the focus to: a reader still reading when the focus moves on
// hears the object as it is by then, no longer focused.
constexpr auto kKeyDelay = "150";

std::string withoutNewline(std::string text) {
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

// Polls until done() is true or the time is up; whether it came true.
template <class Done>
bool waitFor(Done done, std::chrono::milliseconds timeout) {
    for (const Clock::time_point deadline = Clock::now() + timeout; !done();) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

}  // namespace

Desktop::Desktop(const std::filesystem::path& folder,
                 const std::vector<std::string>& hostEnvironment)
    : database_(folder / "sample.mvdb") {
    if (test_support::run({OSTREVAN_MVDB, database_.string(), "sample"}).status != 0)
        throw std::runtime_error("mvdb could not make the sample database");
    // Xvfb on a display number that it finds free, written on its standard output.
    xvfb_ = std::make_unique<test_support::Child>(
        std::vector<std::string>{"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0",
                                 "1280x1024x24"},
        true);
    display_ = ":" + withoutNewline(xvfb_->output(kWaitTime));
    if (display_ == ":") throw std::runtime_error("Xvfb gave no display number");
    // The sanitized host's leak options, with the suppressions of what the system's libraries keep.
    const char* leaks = std::getenv("LSAN_OPTIONS");
    std::vector<std::string> host{
        "env", "DISPLAY=" + display_, "QT_QPA_PLATFORM=xcb",
        "OSTREVAN_REGISTRY=" + (folder / "registry.json").string(),
        "LSAN_OPTIONS=" + std::string(leaks && *leaks ? leaks + std::string(":") : "") +
            "suppressions=" + OSTREVAN_HOST_LEAKS};
    host.insert(host.end(), hostEnvironment.begin(), hostEnvironment.end());
    host.insert(host.end(), {OSTREVAN_HOST, "--db", database_.string(), "--access-level", "2"});
    host_ = std::make_unique<test_support::Child>(host);
    window_ = awaitWindow(kWindowTitle, true);
}

void Desktop::press(std::string_view keys) {
    focus(window_);
    std::vector<std::string> arguments{"key", "--delay", kKeyDelay};
    std::istringstream names{std::string(keys)};
    for (std::string name; names >> name;)
        arguments.push_back(name);
    xdotool(std::move(arguments));
}

// Without a window manager the keyboard goes where the programs put it, and a message box that
// closes leaves it nowhere: keys for the host's window go once it has the focus again.
void Desktop::answerMessageBox(const std::string& key) {
    focus(awaitWindow(kMessageBoxTitle, true));
    xdotool({"key", "--delay", kKeyDelay, key});
    awaitWindow(kMessageBoxTitle, false);
    focus(window_);
}

std::string Desktop::record(std::string_view file, std::string_view key,
                            const std::optional<std::string>& expected) const {
    std::string stored;
    waitFor(
        [&] {
            const test_support::Outcome shown = test_support::run(
                {OSTREVAN_MVDB, database_.string(), "show", std::string(file), std::string(key)});
            if (shown.status != 0) throw std::runtime_error("mvdb show failed");
            stored = withoutNewline(shown.out);
            return !expected || stored == *expected;
        },
        kWaitTime);
    return stored;
}

void Desktop::closeWindow() const {
    ::Display* display = XOpenDisplay(display_.c_str());
    if (display == nullptr) throw std::runtime_error("cannot open the display " + display_);
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = std::stoul(window_);
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, close.xclient.window, False, NoEventMask, &close);
    XCloseDisplay(display);  // sends what is queued
}

test_support::Outcome Desktop::xdotool(std::vector<std::string> arguments, bool mayFail) const {
    const std::string verb = arguments.at(0);
    arguments.insert(arguments.begin(), {"env", "DISPLAY=" + display_, "xdotool"});
    test_support::Outcome outcome = test_support::run(arguments);
    if (outcome.status != 0 && !mayFail) throw std::runtime_error("xdotool " + verb + " failed");
    return outcome;
}

std::string Desktop::awaitWindow(const std::string& title, bool shown) {
    std::string window;
    const bool came = waitFor(
        [&] {
            const test_support::Outcome found =
                xdotool({"search", "--onlyvisible", "--name", title}, true);
            window = found.status == 0 ? found.out.substr(0, found.out.find('\n')) : "";
            if (shown && window.empty() && host_->waitForEnd(0ms))
                throw std::runtime_error("the host ended before showing \"" + title + "\"");
            return window.empty() != shown;
        },
        window_.empty() ? kStartTime : kWaitTime);
    if (!came)
        throw std::runtime_error("\"" + title + (shown ? "\" never showed" : "\" never went"));
    return window;
}

}  // namespace e2e
