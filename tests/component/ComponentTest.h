// A registry file of the test's own, in a temporary folder removed with the test, so that no test
// ever reads or writes the user's registry; and the test component library's path.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "component/TestComponent.h"
#include "platform/ComponentError.h"

namespace component::testing {

inline const std::string kTestLibrary = OSTREVAN_TEST_COMPONENT;

class ComponentTest : public ::testing::Test {
protected:
    ComponentTest() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("component-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
                   std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        ::setenv("OSTREVAN_REGISTRY", registry().c_str(), 1);
    }
    ~ComponentTest() override {
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(folder_);
    }

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path registry() const { return folder_ / "registry.json"; }

    static std::string contents(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void write(const std::filesystem::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }

private:
    std::filesystem::path folder_;
};

// Runs call and answers the ComponentError that it throws; number 0 when it throws none.
template <class Call>
platform::ComponentError failureOf(Call&& call) {
    try {
        call();
    } catch (const platform::ComponentError& error) {
        return error;
    }
    return {0, ""};
}

}  // namespace component::testing
