// A screen reader listening to the host through the real accessibility bus: a D-Bus session of the
// test's own, in which the reader (screen-reader.py, a client of at-spi2-core's registry) says that
// a screen reader runs, so that the session starts the accessibility bus and its registry and the
// host, started in that session, speaks on it. The reader writes what it announces, one a line
// ("focus | ROLE | NAME | DESCRIPTION | VALUE | STATES"; see screen-reader.py).
//
// Every wait is bounded: what does not come in time throws std::runtime_error naming what was
// awaited, or ends a list of what was heard.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "support/Process.h"

namespace e2e {

class ScreenReader {
public:
    // Starts the session and the reader, and waits until it listens.
    ScreenReader();

    // What a program needs in its environment to speak in this reader's session.
    std::string sessionVariable() const { return "DBUS_SESSION_BUS_ADDRESS=" + address_; }

    // What the reader announces from now on, up to and with the announcement given; everything
    // heard, without it, when it does not come in time.
    std::vector<std::string> heardUntil(const std::string& last);

    // The host's window as the reader walks it, one line per object, then "end", after anything
    // still announced; without "end" when it does not come in time.
    std::vector<std::string> walk();

private:
    std::string address_;
    std::unique_ptr<test_support::Child> session_;
    std::unique_ptr<test_support::Child> reader_;
};

}  // namespace e2e
