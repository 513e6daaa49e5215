#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "host/Configuration.h"

namespace host {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

class ConfigurationTest : public ::testing::Test {
protected:
    std::filesystem::path userFile() const { return folder_.path() / "user.conf"; }
    std::filesystem::path systemFile() const { return folder_.path() / "system.conf"; }
    ConfigurationSources sources(const std::string& user = "marie") const {
        return {std::nullopt, std::nullopt, std::nullopt, {userFile(), systemFile()}, user};
    }
    static void write(const std::filesystem::path& file, const std::string& text) {
        std::ofstream(file) << text;
    }

private:
    test_support::TestFolder folder_{"configuration"};
};

// Every choice of the four sources of the database (--db, OSTREVAN_DB, the user's file, the
// system's), each file also giving a level: the first source given wins, and the level is
// --access-level's, else the first file's, else read only. With no database at all, the message
// names every way to give one.
TEST_F(ConfigurationTest, EachSettingComesFromTheFirstSourceThatGivesIt) {
    for (int given = 0; given < 16; ++given) {
        SCOPED_TRACE("sources given: " + std::to_string(given));
        std::filesystem::remove(userFile());
        std::filesystem::remove(systemFile());
        ConfigurationSources from = sources();
        std::optional<std::string> database;
        std::optional<std::int32_t> level;
        const auto first = [](auto& setting, auto value) {
            if (!setting) setting = value;
        };
        if (given & 1) {
            from.database = "option.mvdb";
            from.accessLevel = -4;
            first(database, "option.mvdb");
            first(level, -4);
        }
        if (given & 2) {
            from.environment = "environment.mvdb";
            first(database, "environment.mvdb");
        }
        if (given & 4) {
            write(userFile(), "# the clerk's own\ndatabase = user.mvdb\n  access-level =  7 \n");
            first(database, "user.mvdb");
            first(level, 7);
        }
        if (given & 8) {
            write(systemFile(), "\ndatabase=postgresql://paie@serveur/ostrevan\naccess-level=8\n");
            first(database, "postgresql://paie@serveur/ostrevan");
            first(level, 8);
        }
        if (!database) {
            for (const std::string& way : {std::string("--db"), std::string("OSTREVAN_DB"),
                                           userFile().string(), systemFile().string()})
                EXPECT_THAT([&] { configure(from); },
                            ThrowsMessage<ConfigurationError>(HasSubstr(way)));
            continue;
        }
        const Configuration configuration = configure(from);
        EXPECT_EQ(configuration.database, *database);
        EXPECT_EQ(configuration.accessLevel, level.value_or(kReadOnlyLevel));
        EXPECT_EQ(configuration.user, "marie");
    }
}

// A file gives each named user a level of its own and the others its default; the first file
// that gives the user a level decides it. A wrong line fails, naming the file and the line.
TEST_F(ConfigurationTest, AUserGetsTheLevelHisFileGivesHimNeverSilentlyTheHighest) {
    write(userFile(), "database = paie.mvdb\naccess-level paul = 0\n");
    write(systemFile(), "access-level = 1\naccess-level\tmarie = 2\naccess-level paul = 2\n");
    const auto levelOf = [&](const std::string& user) {
        return configure(sources(user)).accessLevel;
    };
    EXPECT_EQ(levelOf("marie"), kMayChangeLevel);
    EXPECT_EQ(levelOf("paul"), 0);
    EXPECT_EQ(levelOf("jeanne"), kReadOnlyLevel);
    write(systemFile(), "access-level marie = 2\n");
    EXPECT_EQ(levelOf("jeanne"), kReadOnlyLevel);

    for (const char* wrong :
         {"access-level = deux", "acces-level = 2", "access-level marie",
          "database = a\ndatabase = b", "access-level marie = 2\naccess-level marie = 1"}) {
        write(systemFile(), std::string("# the office\n") + wrong + "\n");
        EXPECT_THAT(
            [&] { configure(sources("jeanne")); },
            ThrowsMessage<ConfigurationError>(HasSubstr(systemFile().string() + " », ligne ")))
            << wrong;
    }
}

}  // namespace
}  // namespace host
