// Runs the built mvdb tool as a separate process, in the temporary folder of the test's own that
// the component's tests use (TestDatabase.h), removed with the test.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "mvdb/TestDatabase.h"
#include "support/Shell.h"

namespace mvdbtool::testing {

using ::testing::HasSubstr;

using test_support::Outcome;

// The folder and path() of the component's test fixture, with the tool run in that folder.
class ToolTest : public mvdb::testing::TestDatabase {
protected:
    // Runs the command, given input on its standard input, or with its standard input opened on
    // the file (or folder) at inputPath when there is one.
    Outcome run(const std::vector<std::string>& command, const std::string& input = "",
                std::string inputPath = "") const {
        if (inputPath.empty()) {
            inputPath = path("stdin");
            std::ofstream(inputPath, std::ios::binary) << input;
        }
        return test_support::runInShell(test_support::shellLine(command), path(""), inputPath);
    }

    // Runs mvdb with these arguments, given input on its standard input.
    Outcome mvdb(std::vector<std::string> arguments, const std::string& input = "") const {
        arguments.insert(arguments.begin(), MVDB_PATH);
        return run(arguments, input);
    }

    // Runs mvdb and expects it to succeed; answers its standard output.
    std::string succeeds(const std::vector<std::string>& arguments,
                         const std::string& input = "") const {
        const Outcome outcome = mvdb(arguments, input);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.err, "");
        return outcome.out;
    }

    // Expects the run to have failed with status 1, printing nothing but an error that mentions
    // part.
    static void fails(const Outcome& outcome, const std::string& part) {
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.out, "");
        EXPECT_THAT(outcome.err, HasSubstr("mvdb: "));
        EXPECT_THAT(outcome.err, HasSubstr(part));
    }

    // Every file and record of a database, as files and export print them: a state to compare.
    std::string contents(const std::string& database) const {
        std::string text;
        std::istringstream files(succeeds({database, "files"}));
        for (std::string file; std::getline(files, file);)
            text += "== " + file + "\n" + succeeds({database, "export", file});
        return text;
    }
};

}  // namespace mvdbtool::testing
