#include "host/Options.h"

#include <algorithm>
#include <set>

#include "platform/WholeNumber.h"

namespace host {
namespace {

std::int32_t accessLevel(std::string_view option, std::string_view text) {
    const std::optional<std::int32_t> level = platform::wholeNumber(text);
    if (!level) {
        throw UsageError(std::string(option) + ": \"" + std::string(text) +
                         "\" is not a whole number");
    }
    return *level;
}

// Walks the arguments, an option and its value at a time.
class Reader {
public:
    explicit Reader(const std::vector<std::string_view>& arguments) : arguments_(arguments) {}

    bool next() {
        if (at_ == arguments_.size()) return false;
        const std::string_view argument = arguments_[at_++];
        const std::size_t equals = argument.find('=');
        name_ = argument.substr(0, equals);
        inlineValue_ = equals == std::string_view::npos
                           ? std::nullopt
                           : std::optional(argument.substr(equals + 1));
        if (name_.starts_with("--") && !seen_.insert(std::string(name_)).second) {
            throw UsageError(std::string(name_) + " given twice");
        }
        return true;
    }

    std::string_view name() const { return name_; }

    std::string_view value() {
        if (inlineValue_) return *inlineValue_;
        if (at_ == arguments_.size()) throw UsageError(std::string(name_) + " needs a value");
        return arguments_[at_++];
    }

    void refuseValue() const {
        if (inlineValue_) throw UsageError(std::string(name_) + " takes no value");
    }

private:
    const std::vector<std::string_view>& arguments_;
    std::size_t at_ = 0;
    std::string_view name_;
    std::optional<std::string_view> inlineValue_;
    std::set<std::string> seen_;
};

void checkModes(const Options& options, bool scriptGiven) {
    if (scriptGiven && !options.headless) throw UsageError("--script needs --headless");
    if (options.headless && !scriptGiven) throw UsageError("--headless needs --script FILE");
}

}  // namespace

Options parseOptions(const std::vector<std::string_view>& arguments) {
    const auto isHelp = [](std::string_view a) { return a == "--help" || a == "-h"; };
    Options options;
    if (std::any_of(arguments.begin(), arguments.end(), isHelp)) {
        options.help = true;
        return options;
    }
    if (std::find(arguments.begin(), arguments.end(), "--version") != arguments.end()) {
        options.version = true;
        return options;
    }
    bool scriptGiven = false;
    Reader reader(arguments);
    while (reader.next()) {
        const std::string_view name = reader.name();
        if (name == "--db") {
            options.database = std::string(reader.value());
        } else if (name == "--access-level") {
            options.accessLevel = accessLevel(name, reader.value());
        } else if (name == "--headless") {
            reader.refuseValue();
            options.headless = true;
        } else if (name == "--script") {
            options.script = std::string(reader.value());
            scriptGiven = true;
        } else {
            throw UsageError("unknown option " + std::string(name));
        }
    }
    checkModes(options, scriptGiven);
    return options;
}

std::string usage() {
    return "usage: ostrevan-host [--db LOCATION] [--access-level N] [--headless --script FILE]\n"
           "\n"
           "Shows the settings screen Ctr_Ostrevan in a window, or plays a script over it.\n"
           "\n"
           "  --db LOCATION       the database: a file, or a postgresql:// URI of a server's\n"
           "                      database (default: sample.mvdb here, made with the sample\n"
           "                      data when missing)\n"
           "  --access-level N    the access level of the user for PARAMINTEGRGENE (default 2:\n"
           "                      may change the parameters)\n"
           "  --headless          no window: plays the script given by --script\n"
           "  --script FILE       the script to play, one statement a line (see README.md)\n"
           "  -h, --help          prints this help\n"
           "  --version           prints the program's name and version\n"
           "\n"
           "Exit status: 0 done (every line passed), 1 a line failed or the host could not start,\n"
           "2 wrong command line, 3 no display available for the window.\n";
}

std::string versionLine() {
    return "ostrevan-host " OSTREVAN_VERSION "\n";
}

}  // namespace host
