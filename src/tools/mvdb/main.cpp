// mvdb: the command-line tool over a multivalue database file, one verb per job.
//
// Answers go to standard output, errors to standard error as "mvdb: " and their text. Exit
// status: 0 when the command did its job, 1 when it failed (and then wrote nothing), 2 for a
// wrong command line. --help or -h anywhere prints the usage and does nothing else; "--" ends
// that search, so that a record text or a key may be "-h".
#include <array>
#include <exception>
#include <iomanip>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/mvdb/Commands.h"

namespace {

using Operands = std::vector<std::string>;

struct Verb {
    std::string_view name;
    std::string_view operands;  // as the usage shows them
    std::string_view summary;
    std::size_t fewestOperands;
    std::size_t mostOperands;
    void (*run)(const std::string& path, const Operands& operands);
};

using namespace mvdbtool;

constexpr std::array kVerbs = {
    Verb{"create", "", "make a new, empty database at PATH", 0, 0,
         [](const std::string& path, const Operands&) { createDatabase(path); }},
    Verb{"files", "", "list the files, one a line", 0, 0,
         [](const std::string& path, const Operands&) { listFiles(path, std::cout); }},
    Verb{"sample", "", "fill ASSOCIATION, RUBSAISIE and TPSPARAMBASCUL with sample data", 0, 0,
         [](const std::string& path, const Operands&) { fillSample(path); }},
    Verb{"list", "FILE", "list the keys of FILE, one a line, in byte order", 1, 1,
         [](const std::string& path, const Operands& o) { listKeys(path, o[0], std::cout); }},
    Verb{"show", "FILE KEY", "print a record in ^ ] \\ notation", 2, 2,
         [](const std::string& path, const Operands& o) {
             showRecord(path, o[0], o[1], std::cout);
         }},
    Verb{"put", "FILE KEY TEXT", "write a record given in notation; makes FILE if missing", 3, 3,
         [](const std::string& path, const Operands& o) { putRecord(path, o[0], o[1], o[2]); }},
    Verb{"delete", "FILE KEY", "remove a record; FILE stays", 2, 2,
         [](const std::string& path, const Operands& o) { deleteRecord(path, o[0], o[1]); }},
    Verb{"query", "SENTENCE [FIELDS]", "run a selection; print FIELDS (0 the key) of each record",
         1, 2,
         [](const std::string& path, const Operands& o) {
             runQuery(path, o[0], o.size() > 1 ? o[1] : "", std::cout);
         }},
    Verb{"export", "FILE", "write the records of FILE as JSON lines", 1, 1,
         [](const std::string& path, const Operands& o) { exportFile(path, o[0], std::cout); }},
    Verb{"import", "FILE", "read JSON lines into FILE: all records or none", 1, 1,
         [](const std::string& path, const Operands& o) { importFile(path, o[0], std::cin); }},
};

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

std::string synopsis(const Verb& verb) {
    std::string text = std::string(verb.name);
    if (!verb.operands.empty()) text += " " + std::string(verb.operands);
    return text;
}

void printUsage(std::ostream& out) {
    out << "usage: mvdb PATH VERB [OPERAND...]\n\nVerbs:\n";
    for (const Verb& verb : kVerbs)
        out << "  " << std::left << std::setw(26) << synopsis(verb) << verb.summary << '\n';
    out << "\nNotation: ^ separates attributes, ] values, \\ subvalues; %HH is the byte HH.\n"
           "JSON lines: {\"key\":\"001\",\"attributes\":[[\"value\",[\"sub\",\"sub\"]],...]}\n"
           "Exit status: 0 done, 1 failed (nothing written), 2 wrong command line.\n";
}

int usageError(const std::string& problem, const std::string& usage) {
    std::cerr << "mvdb: " << problem << "\nusage: mvdb PATH " << usage
              << "\nTry 'mvdb --help' for the list of verbs.\n";
    return kUsageError;
}

const Verb* findVerb(std::string_view name) {
    for (const Verb& verb : kVerbs) {
        if (verb.name == name) return &verb;
    }
    return nullptr;
}

bool isHelp(std::string_view argument) {
    return argument == "--help" || argument == "-h";
}

int runVerb(const Verb& verb, const std::string& path, const Operands& operands) {
    try {
        verb.run(path, operands);
        std::cout.flush();
        if (!std::cout) throw std::runtime_error("L'écriture sur la sortie standard a échoué.");
    } catch (const std::exception& error) {
        // DbError, the tool's own refusals and the library's failures alike: the text says it.
        std::cerr << "mvdb: " << error.what() << '\n';
        return kFailed;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && isHelp(argument)) {
            printUsage(std::cout);
            return 0;
        } else {
            arguments.emplace_back(argument);
        }
    }
    if (arguments.size() < 2) return usageError("PATH and VERB are needed", "VERB [OPERAND...]");
    const Verb* verb = findVerb(arguments[1]);
    if (!verb) return usageError("unknown verb '" + arguments[1] + "'", "VERB [OPERAND...]");
    const Operands operands(arguments.begin() + 2, arguments.end());
    if (operands.size() < verb->fewestOperands || operands.size() > verb->mostOperands) {
        return usageError(
            std::string(operands.size() < verb->fewestOperands ? "too few" : "too many") +
                " operands for " + std::string(verb->name),
            synopsis(*verb));
    }
    return runVerb(*verb, arguments[0], operands);
}
