// The host's configuration: which database it opens, and the access level of its user for the
// parameters, each taken from the first source that gives it.
//
// - The database: --db, else the environment's OSTREVAN_DB, else the line "database = LOCATION"
//   of the user's file (~/.config/ostrevan/ostrevan.conf, or under $XDG_CONFIG_HOME), else of the
//   system's (/etc/ostrevan/ostrevan.conf). Nothing is made: a source that names no database is
//   passed over, and with none at all configure fails, saying how to name one.
// - The access level: --access-level, else the first of the two files that gives one to the user:
//   the line "access-level USER = N" naming that user, else the file's "access-level = N". With
//   none, kReadOnlyLevel: a user nobody gave a level may read, never change.
//
// A file: one setting a line, "NAME = VALUE", blanks around either ignored, "#" starting a comment
// line, blank lines skipped:
//
//   database = postgresql://paie-serveur/ostrevan
//   access-level = 1
//   access-level marie = 2
//
// A file that is not there is passed over. A file that cannot be read, a line that is none of the
// three settings, a level that is not a 32-bit whole number, a setting given twice in one file
// fail with a ConfigurationError naming the file and the line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/Options.h"

namespace host {

// The level that may read the parameters and not change them; kMayChangeLevel may change them.
inline constexpr std::int32_t kReadOnlyLevel = 1;
inline constexpr std::int32_t kMayChangeLevel = 2;

inline constexpr const char* kSystemConfigurationFile = "/etc/ostrevan/ostrevan.conf";

struct ConfigurationSources {
    std::optional<std::string> database;       // --db
    std::optional<std::int32_t> accessLevel;   // --access-level
    std::optional<std::string> environment;    // OSTREVAN_DB
    std::vector<std::filesystem::path> files;  // the user's, then the system's
    std::string user;
};

struct Configuration {
    std::string database;
    std::int32_t accessLevel = kReadOnlyLevel;
    std::string user;
};

class ConfigurationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The sources of this process: the options, its environment, its user's files and the system's.
ConfigurationSources sourcesOf(const Options& options);

Configuration configure(const ConfigurationSources& sources);

}  // namespace host
