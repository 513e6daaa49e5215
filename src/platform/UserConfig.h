// The folder where a user's settings of this system live: $XDG_CONFIG_HOME/ostrevan when that
// names an absolute folder, else ~/.config/ostrevan ($HOME). Answers nothing when neither is set.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace platform {

inline std::optional<std::filesystem::path> userConfigFolder() {
    const auto variable = [](const char* name) -> std::filesystem::path {
        const char* value = std::getenv(name);
        return value ? value : "";
    };
    std::filesystem::path config = variable("XDG_CONFIG_HOME");
    if (config.empty() || config.is_relative()) {
        const std::filesystem::path home = variable("HOME");
        if (home.empty()) return std::nullopt;
        config = home / ".config";
    }
    return config / "ostrevan";
}

}  // namespace platform
