#include "tools/mvdb/StandardInput.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <unistd.h>

namespace mvdbtool {

std::string readStandardInput() {
    std::string input;
    std::array<char, 65536> buffer;
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, buffer.data(), buffer.size());
        if (got == 0) return input;
        if (got > 0) {
            input.append(buffer.data(), static_cast<std::size_t>(got));
        } else if (errno != EINTR) {
            throw std::runtime_error(std::string("L'entrée standard n'a pas pu être lue : « ") +
                                     std::strerror(errno) + " » ; rien n'a été écrit.");
        }
    }
}

}  // namespace mvdbtool
