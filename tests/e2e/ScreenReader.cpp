#include "e2e/ScreenReader.h"

#include <csignal>
#include <stdexcept>

namespace e2e {

using namespace std::chrono_literals;

namespace {

// The host under AddressSanitizer answers the reader slowly.
constexpr auto kWaitTime = 30s;

}  // namespace

ScreenReader::ScreenReader() {
    // The session's bus writes its address once it listens.
    session_ = std::make_unique<test_support::Child>(
        std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--print-address=1"},
        true);
    const std::optional<std::string> address = session_->line(kWaitTime);
    if (!address) throw std::runtime_error("the D-Bus session gave no address");
    address_ = *address;
    // The system's Python, which the Debian package of the registry's bindings serves.
    reader_ = std::make_unique<test_support::Child>(
        std::vector<std::string>{"env", sessionVariable(), "/usr/bin/python3",
                                 OSTREVAN_SCREEN_READER},
        true);
    if (!reader_->line(kWaitTime)) throw std::runtime_error("the screen reader did not start");
}

std::vector<std::string> ScreenReader::heardUntil(const std::string& last) {
    std::vector<std::string> heard;
    while (heard.empty() || heard.back() != last) {
        std::optional<std::string> line = reader_->line(kWaitTime);
        if (!line) return heard;
        heard.push_back(*line);
    }
    return heard;
}

std::vector<std::string> ScreenReader::walk() {
    reader_->sendSignal(SIGUSR1);
    return heardUntil("end");
}

}  // namespace e2e
