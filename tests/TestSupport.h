// What tests of every layer share: a temporary folder of the running test's own, and the error
// that a call throws.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/ComponentError.h"

namespace test_support {

// A fresh folder named after the running test, removed with it, even when the test took its
// permissions away.
class TestFolder {
public:
    explicit TestFolder(const std::string& prefix) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (prefix + "-" + test->test_suite_name() + "-" + test->name() + "-" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The ComponentError (or derived error) that the call throws; number 0 when it throws none.
template <class Call>
platform::ComponentError failureOf(Call&& call) {
    try {
        call();
    } catch (const platform::ComponentError& error) {
        return error;
    }
    return {0, ""};
}

// The number of the error that the call throws; 0 when it throws none.
template <class Call>
std::int32_t errorNumberOf(Call&& call) {
    return failureOf(call).number();
}

}  // namespace test_support
