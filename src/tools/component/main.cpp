// ostrevan-component: registers component libraries and shows what they and the registry hold.
//
// Answers go to standard output, errors to standard error as "ostrevan-component: " and their
// text. Exit status: 0 when the command did its job, 1 when it failed (the registry file is then
// left as it was), 2 for a wrong command line. --help or -h anywhere prints the usage and does
// nothing else; "--" ends that search, so that a library may be named "-h".
#include <array>
#include <exception>
#include <iomanip>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/component/Registry.h"
#include "platform/component/Runtime.h"

namespace {

using Operands = std::vector<std::string>;

struct Verb {
    std::string_view name;
    std::string_view operands;  // as the usage shows them
    std::string_view summary;
    std::size_t operandCount;
    void (*run)(const Operands& operands);
};

void listClasses(std::ostream& out) {
    const component::Registry registry = component::Registry::read();
    for (const component::RegisteredClass& entry : registry.classes())
        out << entry.progId << '\t' << entry.id << '\t' << entry.library << '\n';
}

constexpr std::array kVerbs = {
    Verb{"register", "LIB", "write the classes of the library LIB into the registry", 1,
         [](const Operands& o) { component::registerLibrary(o[0]); }},
    Verb{"unregister", "LIB", "remove the classes of the library LIB from the registry", 1,
         [](const Operands& o) { component::unregisterLibrary(o[0]); }},
    Verb{"types", "LIB", "print the type library of LIB: classes, interfaces, members", 1,
         [](const Operands& o) {
             std::cout << component::describe(component::typeLibraryOf(o[0]));
         }},
    Verb{"classes", "", "list the registered classes: name, identity, library, one a line", 0,
         [](const Operands&) { listClasses(std::cout); }},
};

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

std::string synopsis(const Verb& verb) {
    std::string text = std::string(verb.name);
    if (!verb.operands.empty()) text += " " + std::string(verb.operands);
    return text;
}

void printUsage(std::ostream& out) {
    out << "usage: ostrevan-component VERB [OPERAND...]\n\nVerbs:\n";
    for (const Verb& verb : kVerbs)
        out << "  " << std::left << std::setw(16) << synopsis(verb) << verb.summary << '\n';
    out << "\nRegistry: $OSTREVAN_REGISTRY, else $XDG_CONFIG_HOME/ostrevan/registry.json,\n"
           "else $HOME/.config/ostrevan/registry.json.\n"
           "Exit status: 0 done, 1 failed (registry left as it was), 2 wrong command line.\n";
}

int usageError(const std::string& problem, const std::string& usage) {
    std::cerr << "ostrevan-component: " << problem << "\nusage: ostrevan-component " << usage
              << "\nTry 'ostrevan-component --help' for the list of verbs.\n";
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

int runVerb(const Verb& verb, const Operands& operands) {
    try {
        verb.run(operands);
        std::cout.flush();
        if (!std::cout) throw std::runtime_error("L'écriture sur la sortie standard a échoué.");
    } catch (const std::exception& error) {
        // The runtime's failures name the library or the registry file: the text says it.
        std::cerr << "ostrevan-component: " << error.what() << '\n';
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
    if (arguments.empty()) return usageError("VERB is needed", "VERB [OPERAND...]");
    const Verb* verb = findVerb(arguments[0]);
    if (!verb) return usageError("unknown verb '" + arguments[0] + "'", "VERB [OPERAND...]");
    const Operands operands(arguments.begin() + 1, arguments.end());
    if (operands.size() != verb->operandCount) {
        return usageError(
            std::string(operands.size() < verb->operandCount ? "too few" : "too many") +
                " operands for " + std::string(verb->name),
            synopsis(*verb));
    }
    return runVerb(*verb, operands);
}
