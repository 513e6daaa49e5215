// Runs the built mvdb tool as a separate process, in the temporary folder of the test's own that
// the component's tests use (TestDatabase.h), removed with the test.
#pragma once

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "mvdb/TestDatabase.h"

namespace mvdbtool::testing {

using ::testing::HasSubstr;

struct Outcome {
    int status;  // the exit status, or -1 when the process did not exit normally
    std::string out;
    std::string err;
};

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
        std::string line;
        for (const std::string& word : command)
            line += quoted(word) + " ";
        line += "<" + quoted(inputPath) + " >" + quoted(path("stdout")) + " 2>" +
                quoted(path("stderr"));
        const int status = std::system(line.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read("stdout"), read("stderr")};
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

private:
    // The argument quoted for the shell: inside single quotes, a quote is written '\''.
    static std::string quoted(const std::string& argument) {
        std::string text = "'";
        for (char c : argument)
            text += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return text + "'";
    }

    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

}  // namespace mvdbtool::testing
