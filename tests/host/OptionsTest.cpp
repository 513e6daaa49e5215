#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/Options.h"

namespace host {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

TEST(Options, EveryOptionReadsWithItsValueApartOrAfterAnEqualsSignAndDefaultsWithout) {
    const Options defaults = parseOptions({});
    EXPECT_FALSE(defaults.help);
    EXPECT_FALSE(defaults.database.has_value());
    EXPECT_FALSE(defaults.accessLevel.has_value());
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
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> cases = {
        {{"--access-level", "2x"}, "n'est pas un nombre entier"},
        {{"--access-level="}, "«  » n'est pas un nombre entier"},
        {{"--access-level"}, "--access-level demande une valeur"},
        {{"--script", "s"}, "--script demande --headless"},
        {{"--headless"}, "--headless demande --script FICHIER"},
        {{"--headless=yes", "--script", "s"}, "--headless ne prend pas de valeur"},
        {{"--db", "a", "--db", "b"}, "--db est donnée deux fois"},
        {{"--verbose"}, "option inconnue : --verbose"},
    };
    for (const auto& [arguments, problem] : cases)
        EXPECT_THAT([&] { parseOptions(arguments); },
                    ThrowsMessage<UsageError>(HasSubstr(problem)));
    // Help anywhere, even after a wrong option, asks for the usage only.
    EXPECT_TRUE(parseOptions({"--bogus", "-h"}).help);
    EXPECT_TRUE(parseOptions({"--db", "x", "--help"}).help);
    EXPECT_TRUE(parseOptions({"--bogus", "--version"}).version);
    EXPECT_THAT(usage("README.md"), HasSubstr("--access-level N"));
}

}  // namespace
}  // namespace host
