#include "e2e/Desktop.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "platform/toolkit/Frame.h"

namespace e2e {
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
constexpr auto kKeyDelay = "40";

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

// The value of NAME=value in xdotool's --shell output.
int shellValue(const std::string& output, const std::string& name) {
    const std::size_t at = output.find(name + "=");
    if (at == std::string::npos) throw std::runtime_error("xdotool gave no " + name);
    return std::stoi(output.substr(at + name.size() + 1));
}

}  // namespace

std::string missingTools() {
    return withoutNewline(run({"sh", "-c",
                               "for tool in Xvfb xdotool xsel; do command -v $tool >/dev/null || "
                               "printf '%s ' $tool; done"})
                              .output);
}

Desktop::Desktop(const std::filesystem::path& folder,
                 const std::vector<std::string>& hostEnvironment)
    : database_(folder / "sample.mvdb") {
    if (run({OSTREVAN_MVDB, database_.string(), "sample"}).status != 0)
        throw std::runtime_error("mvdb could not make the sample database");
    // Xvfb on a display number that it finds free, written on its standard output.
    xvfb_ = std::make_unique<Child>(std::vector<std::string>{"Xvfb", "-displayfd", "1", "-nolisten",
                                                             "tcp", "-screen", "0", "1280x1024x24"},
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
    host_ = std::make_unique<Child>(host);
    window_ = awaitWindow(kWindowTitle, true);
    const std::string geometry = xdotool({"getwindowgeometry", "--shell", window_}).output;
    originX_ = shellValue(geometry, "X");
    originY_ = shellValue(geometry, "Y");
    pixelsPerTwip_ = static_cast<double>(shellValue(geometry, "WIDTH")) / surface_.width();
}

void Desktop::click(std::string_view name) {
    const toolkit::Rect at = area(widget(name));
    clickAt(at.left + at.width / 2.0, at.top + at.height / 2.0);
}

void Desktop::doubleClickFirstLine(std::string_view list) {
    const toolkit::Widget& model = widget(list);
    const toolkit::Rect at = area(model);
    clickAt(at.left + at.width / 2.0, at.top + model.font().points * 20 * 2 / 3, 2);
}

void Desktop::openDropDown(std::string_view combo) {
    const toolkit::Rect at = area(widget(combo));
    clickAt(at.left + at.width - at.height / 2.0, at.top + at.height / 2.0);
}

void Desktop::type(std::string_view text) {
    focus(window_);
    xdotool({"type", "--delay", kKeyDelay, std::string(text)});
}

void Desktop::press(std::vector<std::string> keys) {
    focus(window_);
    keys.insert(keys.begin(), {"key", "--delay", kKeyDelay});
    xdotool(std::move(keys));
}

std::string Desktop::copiedText(std::string_view name) {
    onDisplay({"xsel", "--clipboard", "--clear"});
    click(name);
    press({"ctrl+a", "ctrl+c"});
    std::string copied;
    waitFor(
        [&] {
            return !(copied = onDisplay({"xsel", "--clipboard", "--output"}).output).empty();
        },
        kWaitTime);
    return copied;
}

// Without a window manager the keyboard goes where the programs put it, and a message box that
// closes leaves it nowhere: keys for the host's window go once it has the focus again.
void Desktop::answerMessageBox(const std::string& key) {
    focus(awaitWindow(kMessageBoxTitle, true));
    xdotool({"key", "--delay", kKeyDelay, key});
    awaitWindow(kMessageBoxTitle, false);
}

std::string Desktop::record(std::string_view file, std::string_view key,
                            const std::optional<std::string>& expected) const {
    std::string stored;
    waitFor(
        [&] {
            const Outcome shown = run(
                {OSTREVAN_MVDB, database_.string(), "show", std::string(file), std::string(key)});
            if (shown.status != 0) throw std::runtime_error("mvdb show failed");
            stored = withoutNewline(shown.output);
            return !expected || stored == *expected;
        },
        kWaitTime);
    return stored;
}

const toolkit::Widget& Desktop::widget(std::string_view name) const {
    const auto* found = dynamic_cast<const toolkit::Widget*>(surface_.find(name));
    if (found == nullptr) throw std::runtime_error("the screen has no widget " + std::string(name));
    return *found;
}

toolkit::Rect Desktop::area(const toolkit::Widget& model) const {
    toolkit::Rect area = model.geometry();
    for (const toolkit::Frame* frame = model.container(); frame; frame = frame->container()) {
        area.left += frame->geometry().left;
        area.top += frame->geometry().top;
    }
    return area;
}

void Desktop::clickAt(double x, double y, int times) {
    xdotool({"mousemove", std::to_string(originX_ + std::lround(x * pixelsPerTwip_)),
             std::to_string(originY_ + std::lround(y * pixelsPerTwip_)), "click", "--repeat",
             std::to_string(times), "--delay", "80", "1"});
}

Outcome Desktop::onDisplay(std::vector<std::string> command) const {
    command.insert(command.begin(), {"env", "DISPLAY=" + display_});
    return run(command);
}

Outcome Desktop::xdotool(std::vector<std::string> arguments) const {
    const std::string verb = arguments.at(0);
    arguments.insert(arguments.begin(), "xdotool");
    Outcome outcome = onDisplay(std::move(arguments));
    if (outcome.status != 0) throw std::runtime_error("xdotool " + verb + " failed");
    return outcome;
}

// Polls for the window to be shown (or gone); fails at once when the host has ended meanwhile.
// The first window awaited, the host's, has the time of the host's start.
std::string Desktop::awaitWindow(const std::string& title, bool shown) {
    std::string window;
    const bool came = waitFor(
        [&] {
            const Outcome found =
                onDisplay({"xdotool", "search", "--onlyvisible", "--name", title});
            window = found.status == 0 ? found.output.substr(0, found.output.find('\n')) : "";
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
