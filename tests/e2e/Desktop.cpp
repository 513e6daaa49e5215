#include "e2e/Desktop.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

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
constexpr auto kPollInterval = 50ms;
constexpr auto kKeyDelay = "40";

std::vector<std::string> words(std::string_view text) {
    std::istringstream stream{std::string(text)};
    std::vector<std::string> result;
    for (std::string word; stream >> word;)
        result.push_back(word);
    return result;
}

std::string withoutNewline(std::string text) {
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

// The value of NAME=value in xdotool's --shell output.
int shellValue(const std::string& output, const std::string& name) {
    const std::size_t at = output.find(name + "=");
    if (at == std::string::npos) throw std::runtime_error("xdotool gave no " + name);
    return std::stoi(output.substr(at + name.size() + 1));
}

// Xvfb on a display number that it finds free, given back through a pipe.
std::string startDisplay(std::unique_ptr<Child>& xvfb) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    try {
        xvfb = std::make_unique<Child>(
            std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-nolisten",
                                     "tcp", "-screen", "0", "1280x1024x24"},
            Environment{}, pipeFds[1]);
    } catch (...) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        throw;
    }
    close(pipeFds[1]);
    const std::optional<std::string> number = readToEnd(pipeFds[0], kWaitTime);
    close(pipeFds[0]);
    if (!number || withoutNewline(*number).empty())
        throw std::runtime_error("Xvfb gave no display number");
    return ":" + withoutNewline(*number);
}

// The sanitized host's leak options, with the suppressions of what the system's libraries keep.
std::string leakOptions() {
    const char* given = std::getenv("LSAN_OPTIONS");
    const std::string options = given != nullptr ? given : "";
    return options + (options.empty() ? "" : ":") + "suppressions=" + OSTREVAN_HOST_LEAKS;
}

}  // namespace

std::string missingTools() {
    std::string missing;
    for (const char* tool : {"Xvfb", "xdotool", "xsel"}) {
        if (!installed(tool)) missing += std::string(missing.empty() ? "" : " ") + tool;
    }
    return missing;
}

Desktop::Desktop(const std::filesystem::path& folder)
    : folder_(folder), database_(folder / "sample.mvdb") {
    if (run({OSTREVAN_MVDB, database_.string(), "sample"}).status != 0)
        throw std::runtime_error("mvdb could not make the sample database");
    display_ = startDisplay(xvfb_);
}

void Desktop::startHost() {
    host_ = std::make_unique<Child>(
        std::vector<std::string>{OSTREVAN_HOST, "--db", database_.string()},
        Environment{{"DISPLAY", display_},
                    {"QT_QPA_PLATFORM", "xcb"},
                    {"OSTREVAN_REGISTRY", (folder_ / "registry.json").string()},
                    {"LSAN_OPTIONS", leakOptions()}});
    window_ = awaitWindow(kWindowTitle, true);
    const std::string geometry = xdotool({"getwindowgeometry", "--shell", window_}).output;
    origin_ = {shellValue(geometry, "X"), shellValue(geometry, "Y")};
    pixelsPerTwip_ = static_cast<double>(shellValue(geometry, "WIDTH")) / surface_.width();
}

void Desktop::click(std::string_view name) {
    const toolkit::Rect area = onSurface(widget(name));
    clickAt(pixel(area.left + area.width / 2.0, area.top + area.height / 2.0), 1);
}

// The first line lies just under the list's top edge and is at least as tall as the list's font
// (a point is 20 twips): two thirds of the font's height below the edge falls inside it.
void Desktop::doubleClickFirstLine(std::string_view list) {
    const toolkit::Widget& model = widget(list);
    const toolkit::Rect area = onSurface(model);
    const double fontHeight = model.font().points * 20;
    clickAt(pixel(area.left + area.width / 2.0, area.top + fontHeight * 2 / 3), 2);
}

// The drop-down button is at the right end of the combo box, about as wide as the box is high.
void Desktop::openDropDown(std::string_view combo) {
    const toolkit::Rect area = onSurface(widget(combo));
    clickAt(pixel(area.left + area.width - area.height / 2.0, area.top + area.height / 2.0), 1);
}

void Desktop::type(std::string_view text) {
    focusWindow(window_);
    xdotool({"type", "--delay", kKeyDelay, std::string(text)});
}

void Desktop::press(std::string_view keys) {
    focusWindow(window_);
    pressKeys(keys);
}

void Desktop::pressKeys(std::string_view keys) {
    std::vector<std::string> arguments{"key", "--delay", kKeyDelay};
    for (std::string& key : words(keys))
        arguments.push_back(std::move(key));
    xdotool(arguments);
}

std::string Desktop::copiedText(std::string_view name) {
    onDisplay({"xsel", "--clipboard", "--clear"});
    click(name);
    press("ctrl+a ctrl+c");
    const Clock::time_point deadline = Clock::now() + kWaitTime;
    std::string copied;
    while (copied.empty() && Clock::now() < deadline) {
        std::this_thread::sleep_for(kPollInterval);
        copied = onDisplay({"xsel", "--clipboard", "--output"}).output;
    }
    return copied;
}

void Desktop::answerMessageBox(std::string_view keys) {
    focusWindow(awaitWindow(kMessageBoxTitle, true));
    pressKeys(keys);
    awaitWindow(kMessageBoxTitle, false);
}

std::optional<int> Desktop::hostEnded(std::chrono::milliseconds timeout) {
    return host_->waitForEnd(timeout);
}

std::string Desktop::record(std::string_view file, std::string_view key) const {
    const Outcome shown =
        run({OSTREVAN_MVDB, database_.string(), "show", std::string(file), std::string(key)});
    if (shown.status != 0) throw std::runtime_error("mvdb show failed");
    return withoutNewline(shown.output);
}

std::string Desktop::recordOnceItReads(std::string_view file, std::string_view key,
                                       const std::string& expected) const {
    const Clock::time_point deadline = Clock::now() + kWaitTime;
    std::string stored = record(file, key);
    while (stored != expected && Clock::now() < deadline) {
        std::this_thread::sleep_for(kPollInterval);
        stored = record(file, key);
    }
    return stored;
}

const toolkit::Widget& Desktop::widget(std::string_view name) const {
    const auto* found = dynamic_cast<const toolkit::Widget*>(surface_.find(name));
    if (found == nullptr) throw std::runtime_error("the screen has no widget " + std::string(name));
    return *found;
}

toolkit::Rect Desktop::onSurface(const toolkit::Widget& model) const {
    toolkit::Rect area = model.geometry();
    for (const toolkit::Frame* frame = model.container(); frame != nullptr;
         frame = frame->container()) {
        area.left += frame->geometry().left;
        area.top += frame->geometry().top;
    }
    return area;
}

Desktop::Point Desktop::pixel(double twipsX, double twipsY) const {
    return {origin_.x + static_cast<int>(std::lround(twipsX * pixelsPerTwip_)),
            origin_.y + static_cast<int>(std::lround(twipsY * pixelsPerTwip_))};
}

void Desktop::clickAt(Point point, int times) {
    xdotool({"mousemove", std::to_string(point.x), std::to_string(point.y), "click", "--repeat",
             std::to_string(times), "--delay", "80", "1"});
}

// Without a window manager the keyboard goes where the programs put it, and a message box that
// closes leaves it nowhere: keys for the host's window go once it has the focus again.
void Desktop::focusWindow(const std::string& window) {
    xdotool({"windowfocus", "--sync", window});
}

Outcome Desktop::onDisplay(const std::vector<std::string>& command) const {
    return run(command, {{"DISPLAY", display_}});
}

Outcome Desktop::xdotool(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{"xdotool"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    Outcome outcome = onDisplay(command);
    if (outcome.status != 0) throw std::runtime_error("xdotool " + arguments.at(0) + " failed");
    return outcome;
}

std::optional<std::string> Desktop::visibleWindow(const std::string& title) {
    const Outcome found = onDisplay({"xdotool", "search", "--onlyvisible", "--name", title});
    if (found.status != 0 || found.output.empty()) return std::nullopt;
    return found.output.substr(0, found.output.find('\n'));
}

// Polls for the window to be shown (or gone); fails at once when the host has ended meanwhile.
// The first window awaited, the host's, has the time of the host's start.
std::string Desktop::awaitWindow(const std::string& title, bool shown) {
    const Clock::time_point deadline = Clock::now() + (window_.empty() ? kStartTime : kWaitTime);
    for (;;) {
        const std::optional<std::string> window = visibleWindow(title);
        if (window.has_value() == shown) return window.value_or("");
        if (shown && host_->waitForEnd(0ms))
            throw std::runtime_error("the host ended before showing \"" + title + "\"");
        if (Clock::now() >= deadline)
            throw std::runtime_error("\"" + title + (shown ? "\" never showed" : "\" never went"));
        std::this_thread::sleep_for(kPollInterval);
    }
}

}  // namespace e2e
