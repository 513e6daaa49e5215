// A relay between clients and a PostgreSQL server's Unix socket, as a network link between an
// office's machines and its server: it passes every byte both ways, until it is told to lose the
// server's next answer. It then swallows that answer, which the server sent after running the
// request, and closes the client's link, as a link that breaks at the worst moment does.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

namespace test_support {

class Relay {
public:
    // Listens in a folder of its own, passing on to the server whose socket is in serverFolder.
    explicit Relay(std::filesystem::path serverFolder);
    ~Relay();
    Relay(const Relay&) = delete;
    Relay& operator=(const Relay&) = delete;

    // The server URI with its socket folder (host=) changed for the relay's.
    std::string route(const std::string& uri) const;
    // Loses the next answer of the server, whichever client it was for.
    void loseNextAnswer() { loseNext_ = true; }

private:
    void relay();

    std::filesystem::path serverFolder_;
    std::filesystem::path folder_;
    int listening_;
    int stopping_[2];  // a pipe: a byte written ends the relay's thread
    std::atomic<bool> loseNext_ = false;
    std::thread thread_;
};

}  // namespace test_support
