#include "platform/help/HelpFolder.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "platform/help/HelpErrors.h"

namespace help {

namespace {

bool staysInFolder(const std::filesystem::path& name) {
    return !name.empty() && !name.has_root_path() &&
           std::none_of(name.begin(), name.end(), [](const auto& part) { return part == ".."; });
}

}  // namespace

std::filesystem::path helpFolder() {
    const char* configured = std::getenv("OSTREVAN_HELP_DIR");
    if (configured && *configured) return configured;
    return OSTREVAN_DEFAULT_HELP_DIR;
}

std::filesystem::path findHelpPage(const std::string& page, const std::filesystem::path& folder) {
    const std::filesystem::path name(page);
    if (!staysInFolder(name))
        throw platform::ComponentError(kErrBadPageName,
                                       "Nom de page d'aide refusé : « " + page +
                                           " » (la page doit se trouver dans le dossier d'aide).");
    const std::filesystem::path file = folder / name;
    std::error_code unreadable;  // a folder that cannot be read holds no page either
    if (!std::filesystem::is_regular_file(file, unreadable))
        throw platform::ComponentError(kErrNoSuchPage, "La page d'aide « " + page +
                                                           " » est introuvable dans le dossier « " +
                                                           folder.string() + " ».");
    return file;
}

}  // namespace help
