#include "platform/component/Registry.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <utility>

#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/UserConfig.h"
#include "platform/component/ComponentErrors.h"

namespace component {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using Field = std::string RegisteredClass::*;
struct FieldName {
    Field field;
    const char* key;
    bool required;
};
constexpr std::array kFields = {
    FieldName{&RegisteredClass::id, "id", true},
    FieldName{&RegisteredClass::progId, "progId", true},
    FieldName{&RegisteredClass::name, "name", false},
    FieldName{&RegisteredClass::library, "library", true},
    FieldName{&RegisteredClass::typeLibrary, "typeLibrary", false},
    FieldName{&RegisteredClass::fileVersion, "fileVersion", false},
};

[[noreturn]] void fail(const fs::path& path, const std::string& problem) {
    throw platform::ComponentError(kErrRegistry,
                                   "Le registre des composants " + path.string() + " " + problem);
}

[[noreturn]] void damaged(const fs::path& path, const std::string& reason) {
    fail(path, "est endommagé : " + reason);
}

[[noreturn]] void unwritable(const fs::path& path, int error) {
    fail(path, std::string("ne peut pas être écrit : « ") + std::strerror(error) + " »");
}

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

RegisteredClass entryOf(const json& item, std::size_t index, const fs::path& path) {
    const std::string where = "l'entrée " + std::to_string(index + 1) + " de « classes »";
    if (!item.is_object()) damaged(path, where + " n'est pas un objet");
    RegisteredClass entry;
    for (const FieldName& field : kFields) {
        const auto found = item.find(field.key);
        if (found == item.end() && !field.required) continue;
        if (found == item.end() || !found->is_string() ||
            (field.required && found->get_ref<const std::string&>().empty()))
            damaged(path, where + " n'a pas de texte « " + field.key + " »");
        entry.*field.field = found->get<std::string>();
    }
    return entry;
}

std::vector<RegisteredClass> parse(const std::string& text, const fs::path& path) {
    json document;
    try {
        document = json::parse(text);
    } catch (const json::parse_error& error) {
        damaged(path, "JSON illisible à l'octet " + std::to_string(error.byte));
    }
    const auto classes = document.is_object() ? document.find("classes") : document.end();
    if (!document.is_object() || classes == document.end() || !classes->is_array())
        damaged(path, "il faut un objet dont « classes » est une liste");
    std::vector<RegisteredClass> entries;
    for (std::size_t i = 0; i < classes->size(); ++i)
        entries.push_back(entryOf((*classes)[i], i, path));
    return entries;
}

std::string textOf(const std::vector<RegisteredClass>& entries) {
    json classes = json::array();
    for (const RegisteredClass& entry : entries) {
        json item = json::object();
        for (const FieldName& field : kFields)
            if (field.required || !(entry.*field.field).empty())
                item[field.key] = entry.*field.field;
        classes.push_back(std::move(item));
    }
    return json{{"classes", std::move(classes)}}.dump(2) + "\n";
}

bool writeAll(int descriptor, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
        if (written < 0 && errno != EINTR) return false;
        if (written > 0) done += static_cast<std::size_t>(written);
    }
    return ::fsync(descriptor) == 0;
}

// Writes text to a new file beside path, with path's permissions when it exists, and renames it
// over path. Answers 0, or the errno of the step that failed, having removed the new file.
int replaceFile(const fs::path& path, const std::string& text) {
    std::string temporary = path.string() + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) return errno;
    struct stat existing {};
    bool done =
        ::stat(path.c_str(), &existing) != 0 || ::fchmod(descriptor, existing.st_mode & 07777) == 0;
    done = done && writeAll(descriptor, text);
    int error = done ? 0 : errno;
    if (::close(descriptor) != 0 && done) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) ::unlink(temporary.c_str());
    return error;
}

}  // namespace

fs::path registryPath() {
    if (std::string chosen = variable("OSTREVAN_REGISTRY"); !chosen.empty()) return chosen;
    const std::optional<fs::path> config = platform::userConfigFolder();
    if (!config)
        throw platform::ComponentError(
            kErrRegistry,
            "Le registre des composants est introuvable : ni OSTREVAN_REGISTRY, ni "
            "XDG_CONFIG_HOME, ni HOME ne sont définis");
    return *config / "registry.json";
}

Registry Registry::read() {
    Registry registry(registryPath());
    std::error_code error;
    if (!fs::exists(registry.path_, error) && !error) return registry;
    std::ifstream in(registry.path_, std::ios::binary);
    std::ostringstream text;
    if (!(in && text << in.rdbuf()))
        fail(registry.path_, std::string("ne peut pas être lu : « ") + std::strerror(errno) + " »");
    registry.classes_ = parse(text.str(), registry.path_);
    return registry;
}

void Registry::update(const std::function<void(Registry&)>& change) {
    Registry registry = read();
    const Registry before = registry;
    change(registry);
    if (registry != before) registry.write();
}

const RegisteredClass* Registry::find(std::string_view classIdOrProgId) const {
    const auto found = std::find_if(classes_.begin(), classes_.end(), [&](const auto& entry) {
        return entry.id == classIdOrProgId || entry.progId == classIdOrProgId;
    });
    return found == classes_.end() ? nullptr : &*found;
}

std::string Registry::libraryFile(const RegisteredClass& entry) const {
    if (fs::path(entry.library).is_absolute()) return entry.library;
    std::error_code unknown;  // no current folder: the registry's path is then taken as it is
    fs::path registry = fs::absolute(path_, unknown);
    if (unknown) registry = path_;
    return (registry.parent_path() / entry.library).lexically_normal().string();
}

void Registry::put(const RegisteredClass& entry) {
    const auto clashes = [&entry](const RegisteredClass& other) {
        return other.id == entry.id || other.progId == entry.progId;
    };
    const auto first = std::find_if(classes_.begin(), classes_.end(), clashes);
    if (first == classes_.end()) {
        classes_.push_back(entry);
        return;
    }
    *first = entry;
    classes_.erase(std::remove_if(std::next(first), classes_.end(), clashes), classes_.end());
}

void Registry::remove(std::string_view classId, std::string_view library) {
    std::erase_if(classes_, [&](const RegisteredClass& entry) {
        return entry.id == classId && libraryFile(entry) == library;
    });
}

void Registry::write() const {
    std::error_code error;
    if (path_.has_parent_path()) fs::create_directories(path_.parent_path(), error);
    if (error) unwritable(path_, error.value());
    if (const int failure = replaceFile(path_, textOf(classes_)); failure != 0)
        unwritable(path_, failure);
}

}  // namespace component
