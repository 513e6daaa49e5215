#include "support/Relay.h"

#include <array>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace test_support {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSocketName = ".s.PGSQL.5432";

sockaddr_un addressOf(const fs::path& folder) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = (folder / kSocketName).string();
    if (path.size() >= sizeof(address.sun_path)) throw std::runtime_error("too long: " + path);
    path.copy(address.sun_path, path.size());
    return address;
}

int unixSocket() {
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) throw std::runtime_error("no socket");
    return socket;
}

// A client's link: its socket, and the relay's own to the server.
struct Link {
    int client;
    int server;
};

void close(Link& link) {
    ::close(link.client);
    ::close(link.server);
    link = {-1, -1};
}

// Passes what is waiting on from one socket to the other; false when either side is done.
bool pass(int from, int to) {
    std::array<char, 65536> bytes;
    const ssize_t got = ::read(from, bytes.data(), bytes.size());
    return got > 0 && ::send(to, bytes.data(), static_cast<std::size_t>(got), MSG_NOSIGNAL) == got;
}

}  // namespace

Relay::Relay(fs::path serverFolder)
    : serverFolder_(std::move(serverFolder)), listening_(unixSocket()) {
    std::string folder = (fs::temp_directory_path() / "ostrevan-relay-XXXXXX").string();
    if (!::mkdtemp(folder.data()) || ::pipe2(stopping_, O_CLOEXEC) != 0)
        throw std::runtime_error("no folder for the relay");
    folder_ = folder;
    const sockaddr_un address = addressOf(folder_);
    if (::bind(listening_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listening_, 16) != 0)
        throw std::runtime_error("the relay cannot listen in " + folder);
    thread_ = std::thread([this] { relay(); });
}

Relay::~Relay() {
    [[maybe_unused]] const ssize_t told = ::write(stopping_[1], "x", 1);
    thread_.join();
    for (const int descriptor : {listening_, stopping_[0], stopping_[1]})
        ::close(descriptor);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string Relay::route(const std::string& uri) const {
    const std::string server = "host=" + serverFolder_.string();
    const std::size_t at = uri.find(server);
    if (at == std::string::npos) throw std::runtime_error(uri + " is not on " + server);
    return std::string(uri).replace(at, server.size(), "host=" + folder_.string());
}

void Relay::relay() {
    std::vector<Link> links;
    for (;;) {
        std::vector<pollfd> waiting = {{stopping_[0], POLLIN, 0}, {listening_, POLLIN, 0}};
        for (const Link& link : links) {
            waiting.push_back({link.client, POLLIN, 0});
            waiting.push_back({link.server, POLLIN, 0});
        }
        if (::poll(waiting.data(), waiting.size(), -1) < 0) continue;
        if (waiting[0].revents) break;
        const std::size_t polled = links.size();
        if (waiting[1].revents) {
            const int client = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
            const int server = unixSocket();
            const sockaddr_un address = addressOf(serverFolder_);
            links.push_back({client, server});
            if (::connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
                close(links.back());
        }
        for (std::size_t i = polled; i-- > 0;) {
            Link& link = links[i];
            const bool fromClient = waiting[2 + 2 * i].revents != 0;
            const bool fromServer = waiting[3 + 2 * i].revents != 0;
            bool open = link.client >= 0 && (!fromClient || pass(link.client, link.server));
            if (open && fromServer) {
                open = !loseNext_.exchange(false) && pass(link.server, link.client);
            }
            if (open) continue;
            close(link);
            links.erase(links.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    for (Link& link : links)
        close(link);
}

}  // namespace test_support
