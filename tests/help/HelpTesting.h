// What the help tests share: the help folder chosen for one test, and a scratch folder.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/ComponentError.h"

namespace help::testing {

// Sets OSTREVAN_HELP_DIR (or unsets it, for nullopt) while it lives, then puts back what was.
class HelpDirSetting {
public:
    explicit HelpDirSetting(const std::optional<std::string>& folder) {
        if (const char* was = std::getenv(kName)) previous_ = was;
        apply(folder);
    }
    ~HelpDirSetting() { apply(previous_); }
    HelpDirSetting(const HelpDirSetting&) = delete;
    HelpDirSetting& operator=(const HelpDirSetting&) = delete;

private:
    static constexpr const char* kName = "OSTREVAN_HELP_DIR";
    static void apply(const std::optional<std::string>& folder) {
        if (folder)
            ::setenv(kName, folder->c_str(), 1);
        else
            ::unsetenv(kName);
    }
    std::optional<std::string> previous_;
};

// A folder of its own for the running test, removed with it.
class ScratchFolder {
public:
    ScratchFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("help-" + std::string(test->name()) + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The error that the call throws; fails the test when it throws none.
template <class Call>
platform::ComponentError errorOf(Call&& call) {
    try {
        call();
    } catch (const platform::ComponentError& error) {
        return error;
    }
    ADD_FAILURE() << "the call did not fail";
    return platform::ComponentError(0, "");
}

}  // namespace help::testing
