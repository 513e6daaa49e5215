// Programs that the tests run through the shell, and the files they leave behind.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/Process.h"

namespace test_support {

// The word quoted for the shell, whatever it holds: inside single quotes, a quote is written '\''.
inline std::string shellWord(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The words quoted for the shell, separated by blanks.
inline std::string shellLine(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words)
        line += (line.empty() ? "" : " ") + shellWord(word);
    return line;
}

// The whole text of a file, byte for byte; empty when it cannot be read.
inline std::string fileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Runs the command line, its standard input read from input (a file or a folder), its output and
// its errors kept in the files "stdout" and "stderr" of folder.
inline Outcome runInShell(const std::string& line, const std::filesystem::path& folder,
                          const std::filesystem::path& input = "/dev/null") {
    const std::filesystem::path out = folder / "stdout", err = folder / "stderr";
    const int status =
        run({"sh", "-c",
             line + " <" + shellWord(input) + " >" + shellWord(out) + " 2>" + shellWord(err)},
            10min)
            .status;
    return {status, fileText(out), fileText(err)};
}

}  // namespace test_support
