// mvdb: the command-line tool over a multivalue database, a file or a server's, one verb per job.
//
// Usage: mvdb LOCATION VERB [OPERAND...], run as tools/verbs/VerbTool.h describes. A verb that
// fails writes nothing; "--" lets a record text or a key be "-h".
#include <array>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/mvdb/Commands.h"
#include "tools/mvdb/StandardInput.h"
#include "tools/verbs/VerbTool.h"

namespace {

using namespace mvdbtool;
using tools::Operands;
using tools::Verb;

// Each verb gets LOCATION first. The database's failures, the tool's own refusals and the
// library's failures alike carry the text that reports them.
constexpr std::array kVerbs = {
    Verb{"create", "", "faire une base neuve : les trois fichiers de l'écran, vides", 0, 0,
         [](const Operands& lead, const Operands&) { createDatabase(lead[0]); }},
    Verb{"files", "", "lister les fichiers, un par ligne", 0, 0,
         [](const Operands& lead, const Operands&) { listFiles(lead[0], std::cout); }},
    Verb{"sample", "", "remplir ASSOCIATION, RUBSAISIE et TPSPARAMBASCUL de l'exemple", 0, 0,
         [](const Operands& lead, const Operands&) { fillSample(lead[0]); }},
    Verb{"list", "FICHIER", "lister les clés de FICHIER en notation, par ordre des octets", 1, 1,
         [](const Operands& lead, const Operands& o) { listKeys(lead[0], o[0], std::cout); }},
    Verb{"show", "FICHIER CLÉ", "écrire un enregistrement en notation ^ ] \\", 2, 2,
         [](const Operands& lead, const Operands& o) {
             showRecord(lead[0], o[0], o[1], std::cout);
         }},
    Verb{"put", "FICHIER CLÉ TEXTE", "écrire un enregistrement donné en notation", 3, 3,
         [](const Operands& lead, const Operands& o) { putRecord(lead[0], o[0], o[1], o[2]); }},
    Verb{"delete", "FICHIER CLÉ", "supprimer un enregistrement ; le fichier reste", 2, 2,
         [](const Operands& lead, const Operands& o) { deleteRecord(lead[0], o[0], o[1]); }},
    Verb{"history", "FICHIER CLÉ", "les versions d'un enregistrement, de la plus récente", 2, 2,
         [](const Operands& lead, const Operands& o) {
             showHistory(lead[0], o[0], o[1], std::cout);
         }},
    Verb{"revert", "FICHIER CLÉ VERSION", "réécrire le texte d'une VERSION, en nouvelle version", 3,
         3,
         [](const Operands& lead, const Operands& o) { revertRecord(lead[0], o[0], o[1], o[2]); }},
    Verb{"prune", "--before DATE",
         "ôter de l'historique ce qui précède DATE (UTC) ; écrire combien", 2, 2,
         [](const Operands& lead, const Operands& o) {
             if (o[0] != "--before")
                 throw std::runtime_error("prune prend --before DATE, pas « " + o[0] + " ».");
             pruneHistory(lead[0], o[1], std::cout);
         }},
    Verb{"query", "PHRASE [CHAMPS]", "sélectionner ; écrire les CHAMPS (0 la clé) de chacun", 1, 2,
         [](const Operands& lead, const Operands& o) {
             runQuery(lead[0], o[0], o.size() > 1 ? o[1] : "", std::cout);
         }},
    Verb{"export", "FICHIER", "écrire les enregistrements de FICHIER en lignes JSON", 1, 1,
         [](const Operands& lead, const Operands& o) { exportFile(lead[0], o[0], std::cout); }},
    Verb{"import", "FICHIER", "lire des lignes JSON dans FICHIER : toutes ou aucune", 1, 1,
         [](const Operands& lead, const Operands& o) {
             importFile(lead[0], o[0], readStandardInput());
         }},
    Verb{"dump", "", "écrire toute la base et son historique, d'un seul état cohérent", 0, 0,
         [](const Operands& lead, const Operands&) { dumpDatabase(lead[0], std::cout); }},
    Verb{"restore", "[--replace]", "lire un dump : tout ou rien ; --replace remplace tout", 0, 1,
         [](const Operands& lead, const Operands& o) {
             if (!o.empty() && o[0] != "--replace")
                 throw std::runtime_error("restore ne prend que --replace, pas « " + o[0] + " ».");
             restoreDatabase(lead[0], readStandardInput(), !o.empty());
         }},
};

constexpr std::array<std::string_view, 1> kLeading = {"EMPLACEMENT"};

constexpr std::string_view kNotes =
    "EMPLACEMENT : un fichier de base de données, ou l'adresse postgresql:// de la base d'un\n"
    "serveur. Notation : ^ sépare les attributs, ] les valeurs, \\ les sous-valeurs ; %HH est\n"
    "l'octet HH. Lignes JSON : "
    "{\"key\":\"001\",\"attributes\":[[\"valeur\",[\"sous\",\"sous\"]],...]} ;\n"
    "un enregistrement qui n'est pas en UTF-8 donne clé et texte en notation :\n"
    "{\"key\":\"k1\",\"notation\":\"%E9t%E9\"}. Un dump donne chaque fichier par une ligne\n"
    "{\"file\":\"NOM\"} suivie de ses enregistrements, chacun avec sa \"version\", puis de son\n"
    "historique, une ligne par écriture ou suppression (le texte remplacé, null à la création) :\n"
    "{\"history\":\"001\",\"version\":7,\"deleted\":false,\n"
    "\"time\":\"2026-12-08T21:08:52.123456Z\",\"user\":\"marie\",\"replaced\":[...]}.\n"
    "restore rend le tout tel quel.\n"
    "Code de sortie : 0 fait, 1 échec (rien n'est écrit), 2 ligne de commande erronée.\n";

}  // namespace

int main(int argc, char** argv) {
    return tools::runVerbTool({"mvdb", kLeading, kVerbs, 28, kNotes}, argc, argv);
}
