#include "e2e/Program.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

// The texts of argv or envp, kept alive with the pointers to them.
class Texts {
public:
    explicit Texts(std::vector<std::string> texts) : texts_(std::move(texts)) {
        for (std::string& text : texts_)
            pointers_.push_back(text.data());
        pointers_.push_back(nullptr);
    }
    char* const* data() { return pointers_.data(); }

private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
};

Texts environmentWith(const Environment& changes) {
    Environment merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::size_t equals = text.find('=');
        if (equals != std::string::npos) merged[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : changes)
        merged[name] = value;
    std::vector<std::string> entries;
    for (const auto& [name, value] : merged)
        entries.push_back(name + "=" + value);
    return Texts(std::move(entries));
}

pid_t spawn(const std::vector<std::string>& command, const Environment& environment,
            const posix_spawn_file_actions_t* actions) {
    Texts arguments(command);
    Texts variables = environmentWith(environment);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, command.at(0).c_str(), actions, nullptr, arguments.data(),
                                    variables.data());
    if (failed != 0)
        throw std::runtime_error("cannot start " + command[0] + ": " + std::strerror(failed));
    return pid;
}

int statusOf(int waitStatus) {
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus);
}

// The program's status once it ends before the deadline; nullopt otherwise.
std::optional<int> reap(pid_t pid, Clock::time_point deadline) {
    for (;;) {
        int waitStatus = 0;
        const pid_t done = waitpid(pid, &waitStatus, WNOHANG);
        if (done == pid) return statusOf(waitStatus);
        if (done < 0 && errno != EINTR) throw std::runtime_error("waitpid failed");
        if (Clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(20ms);
    }
}

void kill(pid_t pid) {
    ::kill(pid, SIGKILL);
    int ignored = 0;
    waitpid(pid, &ignored, 0);
}

// Reads the pipe to its end, or until the deadline; false when the deadline came first.
bool readAll(int fd, std::string& output, Clock::time_point deadline) {
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count == 0) return true;
        if (count > 0) output.append(buffer, static_cast<std::size_t>(count));
        if (count < 0 && errno != EINTR) return true;
    }
}

}  // namespace

Outcome run(const std::vector<std::string>& command, const Environment& environment,
            std::chrono::milliseconds timeout) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    pid_t pid = -1;
    try {
        pid = spawn(command, environment, &actions);
    } catch (...) {
        posix_spawn_file_actions_destroy(&actions);
        close(pipeFds[0]);
        close(pipeFds[1]);
        throw;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    const Clock::time_point deadline = Clock::now() + timeout;
    Outcome outcome;
    const bool ended = readAll(pipeFds[0], outcome.output, deadline);
    close(pipeFds[0]);
    const std::optional<int> status = ended ? reap(pid, deadline) : std::nullopt;
    if (!status) {
        kill(pid);
        throw std::runtime_error(command[0] + " did not end within its time");
    }
    outcome.status = *status;
    return outcome;
}

std::optional<std::string> readToEnd(int fd, std::chrono::milliseconds timeout) {
    std::string text;
    if (!readAll(fd, text, Clock::now() + timeout)) return std::nullopt;
    return text;
}

bool installed(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::filesystem::path candidate =
            std::filesystem::path(folders.substr(start, end - start)) / program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

Child::Child(const std::vector<std::string>& command, const Environment& environment,
             int inheritedFd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Standard input from nowhere: a program that waits for it would wait for ever.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (inheritedFd >= 0) fcntl(inheritedFd, F_SETFD, 0);
    try {
        pid_ = spawn(command, environment, &actions);
    } catch (...) {
        posix_spawn_file_actions_destroy(&actions);
        throw;
    }
    posix_spawn_file_actions_destroy(&actions);
}

Child::~Child() {
    if (status_) return;
    ::kill(pid_, SIGTERM);
    if (!reap(pid_, Clock::now() + 5s)) kill(pid_);
}

std::optional<int> Child::waitForEnd(std::chrono::milliseconds timeout) {
    if (!status_) status_ = reap(pid_, Clock::now() + timeout);
    return status_;
}

}  // namespace e2e
