// Runs the built mvdb tool as a separate process, in the temporary folder of the test's own that
// the component's tests use (TestDatabase.h), removed with the test.
#pragma once

#include <cstdlib>
#include <fstream>
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
    // Runs mvdb with these arguments, given input on its standard input.
    Outcome mvdb(const std::vector<std::string>& arguments, const std::string& input = "") const {
        std::ofstream(path("stdin"), std::ios::binary) << input;
        return mvdbReading(arguments, path("stdin"));
    }

    // Runs mvdb with these arguments, its standard input opened on the file (or folder) at input.
    Outcome mvdbReading(const std::vector<std::string>& arguments, const std::string& input) const {
        std::vector<std::string> command{MVDB_PATH};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return run(command, input);
    }

    // Runs the command, its standard input opened on the file at input, empty by default.
    Outcome run(const std::vector<std::string>& command, std::string input = "") const {
        if (input.empty()) {
            input = path("stdin");
            std::ofstream(input, std::ios::binary);
        }
        std::string line;
        for (const std::string& word : command)
            line += quoted(word) + " ";
        line +=
            "<" + quoted(input) + " >" + quoted(path("stdout")) + " 2>" + quoted(path("stderr"));
        const int status = std::system(line.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read("stdout"), read("stderr")};
    }

    // Runs mvdb and expects it to succeed; answers its standard output.
    std::string succeeds(const std::vector<std::string>& arguments,
                         const std::string& input = "") const {
        const Outcome outcome = mvdb(arguments, input);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.err, "");
        return outcome.out;
    }

    // Runs mvdb and expects it to fail with status 1, printing nothing but an error that
    // mentions part.
    void fails(const std::vector<std::string>& arguments, const std::string& part,
               const std::string& input = "") const {
        const Outcome outcome = mvdb(arguments, input);
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
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

}  // namespace mvdbtool::testing
