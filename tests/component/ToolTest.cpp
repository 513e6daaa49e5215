// ostrevan-component run as a process: its verbs, its output and its exit status.
#include <cstdlib>

#include <gmock/gmock.h>
#include <sys/wait.h>

#include "component/ComponentTest.h"
#include "platform/component/Registry.h"
#include "platform/component/Runtime.h"

namespace component::testing {
namespace {

using ::testing::HasSubstr;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class ToolTest : public ComponentTest {
protected:
    // Runs the tool with these arguments (quoted for the shell) under the test's registry.
    Outcome run(const std::string& arguments) const {
        const std::string out = (folder() / "out").string();
        const std::string err = (folder() / "err").string();
        const int status = std::system(
            (std::string(OSTREVAN_COMPONENT_TOOL) + " " + arguments + " >" + out + " 2>" + err)
                .c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contents(out), contents(err)};
    }
};

TEST_F(ToolTest, RegisteredClassesAreListedOneALineAndGoAgainWhenUnregistered) {
    EXPECT_EQ(run("register " + kTestLibrary).status, 0);
    const Outcome listed = run("classes");
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, std::string(kCompteurProgId) + "\t" + kCompteurId + "\t" +
                              Registry::read().classes().at(0).library + "\n");
    EXPECT_EQ(run("unregister " + kTestLibrary).status, 0);
    EXPECT_EQ(run("classes").out, "");
}

TEST_F(ToolTest, TypesPrintsTheLibrarysDescription) {
    const Outcome printed = run("types " + kTestLibrary);
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(printed.out, describe(typeLibraryOf(kTestLibrary)));
}

TEST_F(ToolTest, AFailureGoesToStandardErrorWithStatusOneAndWritesNothing) {
    const Outcome failed = run("register /nulle/part.so");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_THAT(failed.err, HasSubstr("/nulle/part.so"));
    EXPECT_FALSE(std::filesystem::exists(registry()));
}

TEST_F(ToolTest, AWrongCommandLineAnswersTwoAndHelpAnywhereAnswersTheUsage) {
    for (const char* wrong : {"", "inventer", "classes en_trop", "register"})
        EXPECT_EQ(run(wrong).status, 2) << wrong;
    const Outcome help = run("register -h");
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("usage: ostrevan-component"));
    EXPECT_FALSE(std::filesystem::exists(registry()));
}

}  // namespace
}  // namespace component::testing
