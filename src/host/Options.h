// The command line of ostrevan-host:
//
//   ostrevan-host [--db LOCATION] [--access-level N] [--headless --script FILE]
//
// parseOptions reads the arguments after the program's name (each option also as --name=value)
// and answers what they ask, or throws UsageError naming the first thing wrong: an unknown
// option, an option without its value or given twice, an access level that is not a 32-bit whole
// number, --script without --headless, --headless without a script. --help (or -h) anywhere asks
// for the usage and nothing else; --version anywhere else, for the program's name and version.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// The host's exit statuses.
inline constexpr int kExitPassed = 0;
inline constexpr int kExitFailed = 1;     // a script line failed, or the host could not start
inline constexpr int kExitUsage = 2;      // a wrong command line
inline constexpr int kExitNoDisplay = 3;  // a window was asked for where no display is available

struct Options {
    bool help = false;
    bool version = false;
    // The database and the access level given on the command line; without them, the
    // configuration gives them (Configuration.h).
    std::optional<std::string> database;
    std::optional<std::int32_t> accessLevel;
    bool headless = false;
    std::string script;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Options parseOptions(const std::vector<std::string_view>& arguments);

// The usage, which sends the reader to the README at readme for the script language.
std::string usage(const std::string& readme);

// "ostrevan-host VERSION", the project's version, and a newline.
std::string versionLine();

}  // namespace host
