#include "platform/help/HelpFolder.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include <dlfcn.h>

#include "platform/help/HelpErrors.h"

namespace help {

namespace {

bool staysInFolder(const std::filesystem::path& name) {
    return !name.empty() && !name.has_root_path() &&
           std::none_of(name.begin(), name.end(), [](const auto& part) { return part == ".."; });
}

// The help folder of an installed tree, found from the folder of this library; empty when the
// library was not installed with its pages.
std::filesystem::path installedHelpFolder() {
    Dl_info found{};
    if (::dladdr(reinterpret_cast<void*>(&helpFolder), &found) == 0 || found.dli_fname == nullptr)
        return {};
    const std::filesystem::path folder =
        (std::filesystem::path(found.dli_fname).parent_path() / OSTREVAN_INSTALLED_HELP_DIR)
            .lexically_normal();
    std::error_code unreadable;
    return std::filesystem::is_directory(folder, unreadable) ? folder : std::filesystem::path();
}

}  // namespace

std::filesystem::path helpFolder() {
    const char* configured = std::getenv("OSTREVAN_HELP_DIR");
    if (configured && *configured) return configured;
    if (std::filesystem::path installed = installedHelpFolder(); !installed.empty())
        return installed;
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
