#include "host/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace host {

std::string installedOrBuilt(const char* installedRelative, const char* built) {
    std::error_code unknown;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", unknown);
    const std::filesystem::path installed =
        (program.parent_path() / installedRelative).lexically_normal();
    if (!unknown && std::filesystem::is_regular_file(installed, unknown)) return installed.string();
    return built;
}

}  // namespace host
