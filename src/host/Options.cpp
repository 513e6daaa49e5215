#include "host/Options.h"

#include <algorithm>
#include <set>

#include "platform/WholeNumber.h"

namespace host {
namespace {

std::int32_t accessLevel(std::string_view option, std::string_view text) {
    const std::optional<std::int32_t> level = platform::wholeNumber(text);
    if (!level) {
        throw UsageError(std::string(option) + " : « " + std::string(text) +
                         " » n'est pas un nombre entier");
    }
    return *level;
}

// Walks the arguments, an option and its value at a time.
class Reader {
public:
    explicit Reader(const std::vector<std::string_view>& arguments) : arguments_(arguments) {}

    bool next() {
        if (at_ == arguments_.size()) return false;
        const std::string_view argument = arguments_[at_++];
        const std::size_t equals = argument.find('=');
        name_ = argument.substr(0, equals);
        inlineValue_ = equals == std::string_view::npos
                           ? std::nullopt
                           : std::optional(argument.substr(equals + 1));
        if (name_.starts_with("--") && !seen_.insert(std::string(name_)).second) {
            throw UsageError(std::string(name_) + " est donnée deux fois");
        }
        return true;
    }

    std::string_view name() const { return name_; }

    std::string_view value() {
        if (inlineValue_) return *inlineValue_;
        if (at_ == arguments_.size()) throw UsageError(std::string(name_) + " demande une valeur");
        return arguments_[at_++];
    }

    void refuseValue() const {
        if (inlineValue_) throw UsageError(std::string(name_) + " ne prend pas de valeur");
    }

private:
    const std::vector<std::string_view>& arguments_;
    std::size_t at_ = 0;
    std::string_view name_;
    std::optional<std::string_view> inlineValue_;
    std::set<std::string> seen_;
};

void checkModes(const Options& options, bool scriptGiven) {
    if (scriptGiven && !options.headless) throw UsageError("--script demande --headless");
    if (options.headless && !scriptGiven) throw UsageError("--headless demande --script FICHIER");
}

}  // namespace

Options parseOptions(const std::vector<std::string_view>& arguments) {
    const auto isHelp = [](std::string_view a) { return a == "--help" || a == "-h"; };
    Options options;
    if (std::any_of(arguments.begin(), arguments.end(), isHelp)) {
        options.help = true;
        return options;
    }
    if (std::find(arguments.begin(), arguments.end(), "--version") != arguments.end()) {
        options.version = true;
        return options;
    }
    bool scriptGiven = false;
    Reader reader(arguments);
    while (reader.next()) {
        const std::string_view name = reader.name();
        if (name == "--db") {
            options.database = std::string(reader.value());
        } else if (name == "--access-level") {
            options.accessLevel = accessLevel(name, reader.value());
        } else if (name == "--headless") {
            reader.refuseValue();
            options.headless = true;
        } else if (name == "--script") {
            options.script = std::string(reader.value());
            scriptGiven = true;
        } else {
            throw UsageError("option inconnue : " + std::string(name));
        }
    }
    checkModes(options, scriptGiven);
    return options;
}

std::string usage(const std::string& readme) {
    return "usage : ostrevan-host [--db EMPLACEMENT] [--access-level N] [--headless --script "
           "FICHIER]\n"
           "\n"
           "Montre l'écran de paramétrage Ctr_Ostrevan dans une fenêtre, ou y joue un script.\n"
           "\n"
           "  --db EMPLACEMENT    la base de données : un fichier, ou l'adresse postgresql:// de\n"
           "                      la base d'un serveur\n"
           "  --access-level N    le niveau d'accès de l'utilisateur pour PARAMINTEGRGENE (2 : "
           "peut\n"
           "                      modifier les paramètres ; tout autre : consultation seule)\n"
           "  --headless          sans fenêtre : joue le script donné par --script\n"
           "  --script FICHIER    le script à jouer, une instruction par ligne (voir README.md)\n"
           "  -h, --help          affiche cette aide\n"
           "  --version           affiche le nom et la version du programme\n"
           "\n"
           "Sans --db, la base est celle de la variable d'environnement OSTREVAN_DB, sinon la\n"
           "ligne « database = EMPLACEMENT » de ~/.config/ostrevan/ostrevan.conf, sinon celle de\n"
           "/etc/ostrevan/ostrevan.conf. Sans --access-level, le niveau est celui que le premier\n"
           "de ces fichiers donne à l'utilisateur (« access-level UTILISATEUR = N », sinon\n"
           "« access-level = N »), sinon 1 : consultation seule. Une base que l'utilisateur ne\n"
           "peut pas écrire s'ouvre en consultation seule.\n"
           "\n"
           "Code de sortie : 0 fait (chaque ligne du script réussie), 1 une ligne a échoué ou\n"
           "l'hôte n'a pas pu démarrer, 2 ligne de commande erronée, 3 pas d'affichage pour la\n"
           "fenêtre.\n"
           "\n"
           "Mode d'emploi complet : " +
           readme + "\n";
}

std::string versionLine() {
    return "ostrevan-host " OSTREVAN_VERSION "\n";
}

}  // namespace host
