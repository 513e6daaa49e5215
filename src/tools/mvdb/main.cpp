// mvdb: the command-line tool over a multivalue database, a file or a server's, one verb per job.
//
// Usage: mvdb LOCATION VERB [OPERAND...], run as tools/verbs/VerbTool.h describes. A verb that
// fails writes nothing; "--" lets a record text or a key be "-h".
#include <array>
#include <iostream>
#include <string>
#include <string_view>

#include "tools/mvdb/Commands.h"
#include "tools/mvdb/StandardInput.h"
#include "tools/verbs/VerbTool.h"

namespace {

using namespace mvdbtool;
using tools::Operands;
using tools::Verb;

// Each verb gets LOCATION first. DbError, the tool's own refusals and the library's failures alike
// carry the text that reports them.
constexpr std::array kVerbs = {
    Verb{"create", "", "make a new, empty database at LOCATION", 0, 0,
         [](const Operands& lead, const Operands&) { createDatabase(lead[0]); }},
    Verb{"files", "", "list the files, one a line", 0, 0,
         [](const Operands& lead, const Operands&) { listFiles(lead[0], std::cout); }},
    Verb{"sample", "", "fill ASSOCIATION, RUBSAISIE and TPSPARAMBASCUL with sample data", 0, 0,
         [](const Operands& lead, const Operands&) { fillSample(lead[0]); }},
    Verb{"list", "FILE", "list the keys of FILE in notation, one a line, in byte order", 1, 1,
         [](const Operands& lead, const Operands& o) { listKeys(lead[0], o[0], std::cout); }},
    Verb{"show", "FILE KEY", "print a record in ^ ] \\ notation", 2, 2,
         [](const Operands& lead, const Operands& o) {
             showRecord(lead[0], o[0], o[1], std::cout);
         }},
    Verb{"put", "FILE KEY TEXT", "write a record given in notation; makes FILE if missing", 3, 3,
         [](const Operands& lead, const Operands& o) { putRecord(lead[0], o[0], o[1], o[2]); }},
    Verb{"delete", "FILE KEY", "remove a record; FILE stays", 2, 2,
         [](const Operands& lead, const Operands& o) { deleteRecord(lead[0], o[0], o[1]); }},
    Verb{"query", "SENTENCE [FIELDS]", "run a selection; print FIELDS (0 the key) of each record",
         1, 2,
         [](const Operands& lead, const Operands& o) {
             runQuery(lead[0], o[0], o.size() > 1 ? o[1] : "", std::cout);
         }},
    Verb{"export", "FILE", "write the records of FILE as JSON lines", 1, 1,
         [](const Operands& lead, const Operands& o) { exportFile(lead[0], o[0], std::cout); }},
    Verb{"import", "FILE", "read JSON lines into FILE: all records or none", 1, 1,
         [](const Operands& lead, const Operands& o) {
             importFile(lead[0], o[0], readStandardInput());
         }},
};

constexpr std::array<std::string_view, 1> kLeading = {"LOCATION"};

constexpr std::string_view kNotes =
    "LOCATION: a database file, or a postgresql:// URI of a server's database.\n"
    "Notation: ^ separates attributes, ] values, \\ subvalues; %HH is the byte HH.\n"
    "JSON lines: {\"key\":\"001\",\"attributes\":[[\"value\",[\"sub\",\"sub\"]],...]}; a record\n"
    "that is not UTF-8 gives key and text in notation: {\"key\":\"k1\",\"notation\":\"%E9t%E9\"}\n"
    "Exit status: 0 done, 1 failed (nothing written), 2 wrong command line.\n";

}  // namespace

int main(int argc, char** argv) {
    return tools::runVerbTool({"mvdb", kLeading, kVerbs, 26, kNotes}, argc, argv);
}
