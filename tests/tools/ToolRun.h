// Runs the built mvdb tool as a separate process, in a temporary folder of the test's own that
// is removed with the test.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mvdbtool::testing {

using ::testing::HasSubstr;

struct Outcome {
    int status;  // the exit status, or -1 when the process did not exit normally
    std::string out;
    std::string err;
};

class ToolTest : public ::testing::Test {
protected:
    ToolTest() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("mvdb-tool-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
                   std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    ~ToolTest() override { std::filesystem::remove_all(folder_); }

    // The path of a file in the test's folder.
    std::string path(const std::string& name = "test.mvdb") const { return folder_ / name; }

    // Runs mvdb with these arguments, given input on its standard input.
    Outcome mvdb(const std::vector<std::string>& arguments, const std::string& input = "") const {
        std::ofstream(folder_ / "stdin", std::ios::binary) << input;
        std::string command = quoted(MVDB_PATH);
        for (const std::string& argument : arguments)
            command += " " + quoted(argument);
        command += " <" + quoted(folder_ / "stdin") + " >" + quoted(folder_ / "stdout") + " 2>" +
                   quoted(folder_ / "stderr");
        const int status = std::system(command.c_str());
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
        std::ifstream in(folder_ / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path folder_;
};

}  // namespace mvdbtool::testing
