// The command line of a tool that does one verb per run: TOOL [LEADING...] VERB [OPERAND...].
//
// Answers go to standard output, errors to standard error as "TOOL: " and their text, in French
// as every message a user reads. Exit
// status: 0 when the verb did its job, 1 when it failed (it threw, or standard output could not
// be written), 2 for a wrong command line: leading operands or verb missing, unknown verb, too few
// or too many operands; the error is then followed by the fitting usage line and a pointer to
// --help. --help or -h anywhere prints the usage and does nothing else; --version prints the tool's
// name and the project's version; "--" ends that search, so that an operand may be "-h".
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

using Operands = std::vector<std::string>;

struct Verb {
    std::string_view name;
    std::string_view operands;  // as the usage shows them
    std::string_view summary;
    std::size_t fewestOperands;
    std::size_t mostOperands;
    // Gets the leading operands of the command line, then the verb's own; throws on failure.
    void (*run)(const Operands& leading, const Operands& operands);
};

struct VerbTool {
    std::string_view name;
    std::span<const std::string_view> leadingOperands;  // before the verb, such as "LOCATION"
    std::span<const Verb> verbs;
    int usageColumn;         // where the summaries start in the list of verbs
    std::string_view notes;  // the usage's closing lines, each ending in '\n'
};

// Runs the verb the command line names and answers the exit status.
int runVerbTool(const VerbTool& tool, int argc, char** argv);

}  // namespace tools
