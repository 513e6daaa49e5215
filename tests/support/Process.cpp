#include "support/Process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace test_support {

using Clock = std::chrono::steady_clock;

Child::Child(const std::vector<std::string>& command, bool captureOutput) : name_(command.at(0)) {
    int pipeFds[2] = {-1, -1};
    if (captureOutput && pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Standard input from nowhere: a program that waits for it would wait for ever.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (captureOutput) posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const int failed = posix_spawnp(&pid_, name_.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (captureOutput) close(pipeFds[1]);
    out_ = pipeFds[0];
    if (failed != 0) {
        if (out_ >= 0) close(out_);
        throw std::runtime_error("cannot start " + name_ + ": " + std::strerror(failed));
    }
}

Child::~Child() {
    if (out_ >= 0) close(out_);
    if (status_) return;
    ::kill(pid_, SIGTERM);
    if (!waitForEnd(5s)) {
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::string Child::output(std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    std::string text;
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) throw std::runtime_error(name_ + " did not end within its time");
        pollfd ready{out_, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
        const ssize_t count = read(out_, buffer, sizeof buffer);
        if (count > 0) text.append(buffer, static_cast<std::size_t>(count));
        if (count == 0 || (count < 0 && errno != EINTR)) return text;
    }
}

std::optional<std::string> Child::line(std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    char buffer[4096];
    std::size_t end = 0;
    while ((end = unread_.find('\n')) == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd ready{out_, POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            return std::nullopt;
        }
        const ssize_t count = read(out_, buffer, sizeof buffer);
        if (count == 0 || (count < 0 && errno != EINTR)) return std::nullopt;
        if (count > 0) unread_.append(buffer, static_cast<std::size_t>(count));
    }
    std::string line = unread_.substr(0, end);
    unread_.erase(0, end + 1);
    return line;
}

void Child::sendSignal(int number) const {
    ::kill(pid_, number);
}

std::optional<int> Child::waitForEnd(std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (!status_) {
        int waitStatus = 0;
        const pid_t done = waitpid(pid_, &waitStatus, WNOHANG);
        if (done == pid_)
            status_ = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus);
        else if (done < 0 && errno != EINTR)
            throw std::runtime_error("waitpid failed");
        else if (Clock::now() >= deadline)
            break;
        else
            std::this_thread::sleep_for(20ms);
    }
    return status_;
}

Outcome run(const std::vector<std::string>& command, std::chrono::milliseconds timeout) {
    Child child(command, true);
    Outcome outcome{0, child.output(timeout), ""};
    const std::optional<int> status = child.waitForEnd(timeout);
    if (!status) throw std::runtime_error(command[0] + " did not end within its time");
    outcome.status = *status;
    return outcome;
}

}  // namespace test_support
