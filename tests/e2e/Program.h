// Other programs, run by the end-to-end tests: to their end with their output, or in the
// background for as long as a test needs them.
//
// Every wait is bounded: a program that outlives its time is killed and the call throws
// std::runtime_error naming it, so that a hung tool fails the test instead of hanging it.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace e2e {

using namespace std::chrono_literals;

// Variables set (or replaced) in the environment that a program inherits.
using Environment = std::map<std::string, std::string>;

struct Outcome {
    int status = 0;      // the exit status; 128 + the signal's number when a signal ended it
    std::string output;  // standard output; standard error goes to the test's own
};

// Runs a program (searched in PATH) to its end.
Outcome run(const std::vector<std::string>& command, const Environment& environment = {},
            std::chrono::milliseconds timeout = 30s);

// What a program writes into the pipe fd until it closes it, within the time given; nullopt when
// the time ran out first.
std::optional<std::string> readToEnd(int fd, std::chrono::milliseconds timeout);

// Whether a program of that name is in PATH.
bool installed(const std::string& program);

// A program running in the background; terminated, then killed, when it goes.
class Child {
public:
    // inheritedFd, when not -1, stays open in the program (for the numbers it writes back).
    Child(const std::vector<std::string>& command, const Environment& environment,
          int inheritedFd = -1);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The exit status once it has ended, within the time given; nullopt while it still runs.
    std::optional<int> waitForEnd(std::chrono::milliseconds timeout);

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

}  // namespace e2e
