#include "tools/verbs/VerbTool.h"

#include <exception>
#include <iostream>
#include <stdexcept>

#include "platform/Utf8.h"

namespace tools {

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;
constexpr std::string_view kAnyVerb = "VERBE [OPÉRANDE...]";

std::string synopsis(const Verb& verb) {
    std::string text = std::string(verb.name);
    if (!verb.operands.empty()) text += " " + std::string(verb.operands);
    return text;
}

// "TOOL LEADING... ", the start of every usage line.
std::string commandStart(const VerbTool& tool) {
    std::string text = std::string(tool.name) + " ";
    for (std::string_view operand : tool.leadingOperands)
        text += std::string(operand) + " ";
    return text;
}

void printUsage(const VerbTool& tool, std::ostream& out) {
    out << "usage : " << commandStart(tool) << kAnyVerb << "\n\nVerbes :\n";
    for (const Verb& verb : tool.verbs) {
        // Padded by characters, not bytes, so that accented operands keep the column.
        const std::string shown = synopsis(verb);
        const std::size_t width = platform::characterCount(shown);
        const std::size_t column = static_cast<std::size_t>(tool.usageColumn);
        out << "  " << shown << std::string(width < column ? column - width : 0, ' ')
            << verb.summary << '\n';
    }
    out << "\nOptions :\n  -h, --help  affiche cette aide\n  --version   affiche le nom et la "
           "version "
           "de l'outil\n\n"
        << tool.notes;
}

int usageError(const VerbTool& tool, const std::string& problem, std::string_view usage) {
    std::cerr << tool.name << ": " << problem << "\nusage : " << commandStart(tool) << usage
              << "\n« " << tool.name << " --help » donne la liste des verbes.\n";
    return kUsageError;
}

// "il manque EMPLACEMENT et VERBE", or "il manque VERBE" when nothing leads.
std::string missingProblem(const VerbTool& tool) {
    std::string names;
    for (std::string_view operand : tool.leadingOperands)
        names += std::string(operand) + " et ";
    return "il manque " + names + "VERBE";
}

// Empty when the verb takes that many operands, else what is wrong.
std::string countProblem(const Verb& verb, std::size_t count) {
    if (count < verb.fewestOperands) return "trop peu d'opérandes pour " + std::string(verb.name);
    if (count > verb.mostOperands) return "trop d'opérandes pour " + std::string(verb.name);
    return "";
}

const Verb* findVerb(const VerbTool& tool, std::string_view name) {
    for (const Verb& verb : tool.verbs) {
        if (verb.name == name) return &verb;
    }
    return nullptr;
}

// What the command line asks besides a verb.
enum class Asked { Verb, Help, Version };

Asked askedOf(std::string_view argument) {
    if (argument == "--help" || argument == "-h") return Asked::Help;
    return argument == "--version" ? Asked::Version : Asked::Verb;
}

int runVerb(const VerbTool& tool, const Verb& verb, const Operands& leading,
            const Operands& operands) {
    try {
        verb.run(leading, operands);
        std::cout.flush();
        if (!std::cout) throw std::runtime_error("L'écriture sur la sortie standard a échoué.");
    } catch (const std::exception& error) {
        // Whatever failed, the verb's own refusals or its libraries', the text says it.
        std::cerr << tool.name << ": " << error.what() << '\n';
        return kFailed;
    }
    return 0;
}

// The arguments but the first "--", into arguments; answers what is asked before "--": help
// first, then the version, else a verb.
Asked argumentsOf(int argc, char** argv, Operands& arguments) {
    Asked asked = Asked::Verb;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const Asked option = optionsEnded ? Asked::Verb : askedOf(argument);
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (option == Asked::Help) {
            return Asked::Help;
        } else if (option == Asked::Version) {
            asked = Asked::Version;
        } else {
            arguments.emplace_back(argument);
        }
    }
    return asked;
}

}  // namespace

int runVerbTool(const VerbTool& tool, int argc, char** argv) {
    Operands arguments;
    const Asked asked = argumentsOf(argc, argv, arguments);
    if (asked == Asked::Help) {
        printUsage(tool, std::cout);
        return 0;
    }
    if (asked == Asked::Version) {
        std::cout << tool.name << " " OSTREVAN_VERSION "\n";
        return 0;
    }
    const std::size_t leadingCount = tool.leadingOperands.size();
    if (arguments.size() <= leadingCount) return usageError(tool, missingProblem(tool), kAnyVerb);
    const std::string& name = arguments[leadingCount];
    const Verb* verb = findVerb(tool, name);
    if (!verb) return usageError(tool, "verbe inconnu : « " + name + " »", kAnyVerb);
    const Operands leading(arguments.begin(), arguments.begin() + leadingCount);
    const Operands operands(arguments.begin() + leadingCount + 1, arguments.end());
    const std::string problem = countProblem(*verb, operands.size());
    if (!problem.empty()) return usageError(tool, problem, synopsis(*verb));
    return runVerb(tool, *verb, leading, operands);
}

}  // namespace tools
