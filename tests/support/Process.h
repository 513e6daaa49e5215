// Other programs, run by the tests: to their end with their output, or in the background for as
// long as a test needs them. A program's environment is changed by running it through env:
// {"env", "DISPLAY=:5", "xdotool", ...}.
//
// Every wait is bounded: a program that outlives its time is killed and the call throws
// std::runtime_error naming it, so that a hung tool fails the test instead of hanging it.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace test_support {

using namespace std::chrono_literals;

struct Outcome {
    int status = 0;   // the exit status; 128 + the signal's number when a signal ended it
    std::string out;  // standard output
    std::string err;  // standard error where it was kept (Shell.h), else it goes to the test's own
};

// A program (searched in PATH) running in the background, its standard input from /dev/null;
// terminated, then killed, when it goes.
class Child {
public:
    // With captureOutput, its standard output goes into a pipe that output() reads.
    explicit Child(const std::vector<std::string>& command, bool captureOutput = false);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // What it writes on its standard output until it closes it, within the time given.
    std::string output(std::chrono::milliseconds timeout);
    // The next line that it writes on its standard output, without the newline, within the time
    // given; nullopt when none came in time or the output closed first.
    std::optional<std::string> line(std::chrono::milliseconds timeout);
    void sendSignal(int number) const;
    // The exit status once it has ended, within the time given; nullopt while it still runs.
    std::optional<int> waitForEnd(std::chrono::milliseconds timeout);

private:
    std::string name_;
    pid_t pid_ = -1;
    int out_ = -1;
    std::string unread_;  // read from the output, after the last line given
    std::optional<int> status_;
};

// Runs a program to its end.
Outcome run(const std::vector<std::string>& command, std::chrono::milliseconds timeout = 30s);

}  // namespace test_support
