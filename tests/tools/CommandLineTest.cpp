// The command line of mvdb: help, usage errors and the end of options.
#include "ToolRun.h"

namespace mvdbtool::testing {
namespace {

class CommandLineTest : public ToolTest {};

TEST_F(CommandLineTest, HelpAnywherePrintsTheUsageAndDoesNothingElse) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--help"}, {path(), "create", "-h"}, {path(), "frobnicate", "a", "--help"}}) {
        SCOPED_TRACE(arguments.back());
        const Outcome outcome = mvdb(arguments);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_THAT(outcome.out, HasSubstr("query SENTENCE [FIELDS]"));
        EXPECT_EQ(outcome.err, "");
        EXPECT_FALSE(std::filesystem::exists(path()));
    }
}

TEST_F(CommandLineTest, AWrongCommandLineExitsTwoWithAUsageAndDoesNothing) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "usage: mvdb LOCATION VERB"},
        {{path(), "frobnicate"}, "unknown verb 'frobnicate'"},
        {{path(), "create", "extra"}, "usage: mvdb LOCATION create\n"},
        {{path(), "show", "F"}, "usage: mvdb LOCATION show FILE KEY\n"},
        {{path(), "query", "SSELECT F", "0", "1"}, "too many operands for query"},
    };
    for (const auto& [arguments, usage] : cases) {
        SCOPED_TRACE(usage);
        const Outcome outcome = mvdb(arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_THAT(outcome.err, HasSubstr(usage));
        EXPECT_FALSE(std::filesystem::exists(path()));
    }
}

}  // namespace
}  // namespace mvdbtool::testing
