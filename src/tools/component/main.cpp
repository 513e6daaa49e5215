// ostrevan-component: registers component libraries and shows what they and the registry hold.
//
// Usage: ostrevan-component VERB [OPERAND...], run as tools/verbs/VerbTool.h describes. A verb
// that fails leaves the registry file as it was; "--" lets a library be named "-h".
#include <array>
#include <charconv>
#include <cstdint>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/component/Registry.h"
#include "platform/component/Runtime.h"
#include "tools/verbs/VerbTool.h"

namespace {

using tools::Operands;
using tools::Verb;

// A resource number as the command line gives it: a whole number, nothing around it.
std::int32_t resourceNumber(const std::string& text) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        throw std::runtime_error("Le numéro de ressource « " + text +
                                 " » n'est pas un nombre entier.");
    return number;
}

void listClasses(std::ostream& out) {
    const component::Registry registry = component::Registry::read();
    for (const component::RegisteredClass& entry : registry.classes())
        out << entry.progId << '\t' << entry.id << '\t' << entry.library << '\n';
}

// The runtime's failures name the library or the registry file: their text says what went wrong.
constexpr std::array kVerbs = {
    Verb{"register", "BIBLIOTHÈQUE", "inscrire les classes de BIBLIOTHÈQUE au registre", 1, 1,
         [](const Operands&, const Operands& o) { component::registerLibrary(o[0]); }},
    Verb{"unregister", "BIBLIOTHÈQUE", "retirer du registre les classes de BIBLIOTHÈQUE", 1, 1,
         [](const Operands&, const Operands& o) { component::unregisterLibrary(o[0]); }},
    Verb{"types", "BIBLIOTHÈQUE", "écrire ses types : classes, interfaces, membres", 1, 1,
         [](const Operands&, const Operands& o) {
             std::cout << component::describe(component::typeLibraryOf(o[0]));
         }},
    Verb{"image", "BIBLIOTHÈQUE NUMÉRO", "écrire son image NUMÉRO, un fichier BMP", 2, 2,
         [](const Operands&, const Operands& o) {
             std::cout << component::imageOf(o[0], resourceNumber(o[1]));
         }},
    Verb{"classes", "", "lister les classes inscrites : nom, identité, bibliothèque", 0, 0,
         [](const Operands&, const Operands&) { listClasses(std::cout); }},
};

constexpr std::string_view kNotes =
    "Registre : $OSTREVAN_REGISTRY, sinon $XDG_CONFIG_HOME/ostrevan/registry.json,\n"
    "sinon $HOME/.config/ostrevan/registry.json.\n"
    "Code de sortie : 0 fait, 1 échec (le registre reste tel quel), 2 ligne de commande erronée.\n";

}  // namespace

int main(int argc, char** argv) {
    return tools::runVerbTool({"ostrevan-component", {}, kVerbs, 26, kNotes}, argc, argv);
}
