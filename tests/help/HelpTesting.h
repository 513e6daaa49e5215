// What the help tests share: the help folder chosen for one test, and a scratch folder.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "TestSupport.h"

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
class ScratchFolder : public test_support::TestFolder {
public:
    ScratchFolder() : TestFolder("help") {}
};

using test_support::failureOf;

}  // namespace help::testing
