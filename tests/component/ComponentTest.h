// A registry file of the test's own, in a temporary folder removed with the test, so that no test
// ever reads or writes the user's registry; and the test component library's path.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "TestSupport.h"
#include "component/TestComponent.h"
#include "support/Shell.h"

namespace component::testing {

inline const std::string kTestLibrary = OSTREVAN_TEST_COMPONENT;

class ComponentTest : public ::testing::Test {
protected:
    ComponentTest() : folder_("component") { ::setenv("OSTREVAN_REGISTRY", registry().c_str(), 1); }

    const std::filesystem::path& folder() const { return folder_.path(); }
    std::filesystem::path registry() const { return folder() / "registry.json"; }

    static void write(const std::filesystem::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }

private:
    test_support::TestFolder folder_;
};

using test_support::failureOf;

}  // namespace component::testing
