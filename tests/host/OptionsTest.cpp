#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/Options.h"

namespace host {
namespace {

using ::testing::HasSubstr;

TEST(Options, EveryOptionReadsWithItsValueApartOrAfterAnEqualsSignAndDefaultsWithout) {
    const Options defaults = parseOptions({});
    EXPECT_FALSE(defaults.help);
    EXPECT_FALSE(defaults.database.has_value());
    EXPECT_EQ(defaults.accessLevel, 2);
    EXPECT_FALSE(defaults.headless);
    for (const Options& options :
         {parseOptions(
              {"--db", "other.mvdb", "--access-level", "-1", "--headless", "--script", "s"}),
          parseOptions({"--script=s", "--headless", "--access-level=-1", "--db=other.mvdb"})}) {
        EXPECT_EQ(options.database, "other.mvdb");
        EXPECT_EQ(options.accessLevel, -1);
        EXPECT_TRUE(options.headless);
        EXPECT_EQ(options.script, "s");
    }
}

TEST(Options, AWrongCommandLineIsRefusedWithWhatIsWrongUnlessHelpIsAsked) {
    struct Case {
        std::vector<std::string_view> arguments;
        std::string problem;
    };
    const std::vector<Case> cases = {
        {{"--access-level", "2x"}, "is not a whole number"},
        {{"--access-level="}, "\"\" is not a whole number"},
        {{"--access-level", "99999999999"}, "is not a whole number"},
        {{"--access-level"}, "--access-level needs a value"},
        {{"--script", "s"}, "--script needs --headless"},
        {{"--headless"}, "--headless needs --script FILE"},
        {{"--headless=yes", "--script", "s"}, "--headless takes no value"},
        {{"--db", "a", "--db", "b"}, "--db given twice"},
        {{"--verbose"}, "unknown option --verbose"},
        {{"sample.mvdb"}, "unknown option sample.mvdb"},
    };
    for (const Case& c : cases) {
        try {
            parseOptions(c.arguments);
            ADD_FAILURE() << "accepted: " << c.problem;
        } catch (const UsageError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.problem));
        }
    }
    // Help anywhere, even after a wrong option, asks for the usage only.
    EXPECT_TRUE(parseOptions({"--bogus", "-h"}).help);
    EXPECT_TRUE(parseOptions({"--db", "x", "--help"}).help);
    EXPECT_TRUE(parseOptions({"--bogus", "--version"}).version);
    EXPECT_THAT(usage(), HasSubstr("--access-level N"));
}

}  // namespace
}  // namespace host
