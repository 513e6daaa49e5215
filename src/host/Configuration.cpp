#include "host/Configuration.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include <pwd.h>
#include <unistd.h>

#include "platform/UserConfig.h"
#include "platform/WholeNumber.h"

namespace host {
namespace {

namespace fs = std::filesystem;

// The settings of one file: its database, its default level, the levels of named users.
struct FileSettings {
    std::optional<std::string> database;
    std::optional<std::int32_t> accessLevel;
    std::map<std::string, std::int32_t, std::less<>> userLevels;
};

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

class FileReader {
public:
    explicit FileReader(const fs::path& path) : path_(path) {}

    FileSettings read() {
        std::ifstream in(path_);
        if (!in) fail(std::string("ne peut pas être lu : « ") + std::strerror(errno) + " »");
        for (std::string line; std::getline(in, line);) {
            ++line_;
            const std::string_view text = trimmed(line);
            if (!text.empty() && text.front() != '#') setting(text);
        }
        if (in.bad()) fail("ne peut pas être lu");
        return std::move(settings_);
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        const std::string where = line_ == 0 ? "" : ", ligne " + std::to_string(line_);
        throw ConfigurationError("Le fichier de configuration « " + path_.string() + " »" + where +
                                 " " + what + ".");
    }

    void setting(std::string_view text) {
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) fail("n'est pas de la forme NOM = VALEUR");
        const std::string_view name = trimmed(text.substr(0, equals));
        const std::string_view value = trimmed(text.substr(equals + 1));
        // The setting's first word, then the user it is about, if any.
        const std::size_t blank = name.find_first_of(" \t");
        const std::string_view word = name.substr(0, blank);
        const std::string user(blank == std::string_view::npos ? "" : trimmed(name.substr(blank)));
        if (word == "database" && user.empty()) {
            if (value.empty()) fail("ne donne pas de base de données");
            once(settings_.database, std::string(value));
        } else if (word == "access-level") {
            if (user.empty()) {
                once(settings_.accessLevel, level(value));
            } else if (!settings_.userLevels.emplace(user, level(value)).second) {
                fail("donne une deuxième fois le niveau de " + user);
            }
        } else {
            fail("donne « " + std::string(name) +
                 " », qui n'est ni database, ni access-level, ni access-level UTILISATEUR");
        }
    }

    template <class Value>
    void once(std::optional<Value>& setting, Value value) {
        if (setting) fail("donne ce réglage une deuxième fois");
        setting = std::move(value);
    }

    std::int32_t level(std::string_view value) const {
        const std::optional<std::int32_t> number = platform::wholeNumber(value);
        if (!number)
            fail("donne le niveau « " + std::string(value) + " », qui n'est pas un nombre entier");
        return *number;
    }

    const fs::path& path_;
    int line_ = 0;
    FileSettings settings_;
};

std::optional<FileSettings> settingsOf(const fs::path& path) {
    std::error_code absent;
    if (!fs::exists(path, absent)) return std::nullopt;
    return FileReader(path).read();
}

std::string accountName() {
    if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_name)
        return account->pw_name;
    const char* user = std::getenv("USER");
    return user != nullptr && *user != '\0' ? user : "ostrevan";
}

std::string noDatabase(const std::vector<fs::path>& files) {
    std::string message =
        "Aucune base de données n'est indiquée. Nommez-la par l'option --db EMPLACEMENT, par la "
        "variable d'environnement OSTREVAN_DB, ou par une ligne « database = EMPLACEMENT »";
    for (std::size_t i = 0; i < files.size(); ++i)
        message += (i == 0 ? " dans « " : " ou « ") + files[i].string() + " »";
    return message +
           " ; l'emplacement est un fichier de base de données, ou l'adresse postgresql:// de la "
           "base d'un serveur.";
}

}  // namespace

ConfigurationSources sourcesOf(const Options& options) {
    ConfigurationSources sources{
        options.database, options.accessLevel, std::nullopt, {}, accountName()};
    if (const char* environment = std::getenv("OSTREVAN_DB"); environment && *environment)
        sources.environment = environment;
    if (const std::optional<fs::path> folder = platform::userConfigFolder())
        sources.files.push_back(*folder / "ostrevan.conf");
    sources.files.emplace_back(kSystemConfigurationFile);
    return sources;
}

Configuration configure(const ConfigurationSources& sources) {
    Configuration configuration{{}, kReadOnlyLevel, sources.user};
    std::optional<std::string> database = sources.database ? sources.database : sources.environment;
    std::optional<std::int32_t> level = sources.accessLevel;
    for (const fs::path& file : sources.files) {
        if (database && level) break;
        const std::optional<FileSettings> settings = settingsOf(file);
        if (!settings) continue;
        if (!database) database = settings->database;
        std::optional<std::int32_t> fileLevel = settings->accessLevel;
        if (const auto own = settings->userLevels.find(sources.user);
            own != settings->userLevels.end())
            fileLevel = own->second;
        if (!level) level = fileLevel;
    }
    if (!database) throw ConfigurationError(noDatabase(sources.files));
    configuration.database = *database;
    if (level) configuration.accessLevel = *level;
    return configuration;
}

}  // namespace host
