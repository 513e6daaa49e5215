// Fuzzes selection sentences with any bytes. The parser either accepts the bytes or fails with
// kErrSentence and a text saying where it stopped; an accepted sentence, written again in plain
// words, reads back the same. The same bytes, as a query command, run against a small database:
// they fail with the component's own errors, or select existing records, each once, in the
// order of the sentence's BY fields and then of their keys.
#include "platform/mvdb/Sentence.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "Check.h"
#include "platform/mvdb/Collation.h"
#include "platform/mvdb/Database.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Marks.h"
#include "platform/mvdb/Notation.h"

namespace mvdb::fuzz {
namespace {

struct SampleRecord {
    const char* file;
    const char* key;
    const char* notation;
};

// A few records of the three files the settings screen reads, with accents, letter cases,
// multivalued fields and equal sort fields.
constexpr SampleRecord kSample[] = {
    {"ASSOCIATION", "001", "Aide à Domicile du Val d'Ormelune^12 rue des Tisserands^59870"},
    {"ASSOCIATION", "007", "Domicile Plus Cassignac^3 impasse du Moulin^80120"},
    {"ASSOCIATION", "012", "Entraide Rurale de Lanvézec^Le Bourg^22310"},
    {"ASSOCIATION", "5", "domicile plus cassignac"},
    {"RUBSAISIE", "007", "Élément variable^4"},
    {"RUBSAISIE", "101", "Heures normales^3"},
    {"RUBSAISIE", "102", "heures de nuit^3]5^^^^^^^^^^^^^^^^01/01/2020"},
    {"RUBSAISIE", "109", "Dimanche travaillé^5"},
    {"RUBSAISIE", "PAIE03", "Durée]Forfait^3\\4^x"},
    {"TPSPARAMBASCUL", "001",
     "28/11/2024^PAIE03^Ajout des déplacements^15/09/2021^101]111]120]007^104]105]]^109]110]]^"
     "106]107]]^108]125]]"},
    {"TPSPARAMBASCUL", "007", "06/01/2025^ADM02^^06/01/2025^101^103^109^106^125"},
};

// The database of the sample, in a folder of its own removed when the run ends.
class SampleDatabase {
public:
    SampleDatabase()
        : folder_(std::filesystem::temp_directory_path() /
                  ("ostrevan-fuzz-" + std::to_string(getpid()))),
          database_(create(folder_)) {}
    ~SampleDatabase() { std::filesystem::remove_all(folder_); }
    SampleDatabase(const SampleDatabase&) = delete;
    SampleDatabase& operator=(const SampleDatabase&) = delete;

    const Database& database() const { return database_; }

private:
    static Database create(const std::filesystem::path& folder) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const Database database = Database::Create(folder / "sample.mvdb");
        for (const char* file : {"ASSOCIATION", "RUBSAISIE", "TPSPARAMBASCUL"})
            database.CreateFile(file);
        for (const SampleRecord& sample : kSample) {
            DbRecord record = database.OpenFile(sample.file).NewRecord(sample.key);
            record.Assign(fromNotation(sample.notation));
            record.DBWrite();
        }
        return database;
    }

    std::filesystem::path folder_;
    Database database_;
};

const Database& sampleDatabase() {
    static const SampleDatabase sample;
    return sample.database();
}

// The sentence in plain words: every test with its field, each value between the quote it lacks.
std::string written(const Sentence& sentence) {
    std::string text = "SELECT " + sentence.file;
    for (const Sentence::Condition& condition : sentence.conditions) {
        const char* joint = " WITH ";
        for (const Sentence::Test& test : condition) {
            const char quote = test.value.find('"') == std::string::npos ? '"' : '\'';
            text += joint + std::to_string(test.field) + " = " + quote + test.value + quote;
            joint = " OR ";
        }
    }
    for (int field : sentence.sortFields)
        text += " BY " + std::to_string(field);
    return text;
}

void requireOwnError(const platform::ComponentError& error,
                     std::initializer_list<std::int32_t> numbers, const std::string& input) {
    require(std::find(numbers.begin(), numbers.end(), error.number()) != numbers.end(),
            "a refused sentence fails with the component's own error", input);
    require(std::string_view(error.what()).size() > 0, "a refused sentence says why", input);
}

void checkParse(const std::string& input) {
    try {
        const Sentence sentence = parseSentence(input);
        require(written(parseSentence(written(sentence))) == written(sentence),
                "an accepted sentence reads back the same from its plain words", input);
    } catch (const platform::ComponentError& error) {
        requireOwnError(error, {kErrSentence}, input);
        require(std::string_view(error.what()).starts_with("Phrase de sélection incorrecte "),
                "a sentence that does not parse says so", input);
    }
}

// The record's sort fields, as compared, then its key: a selection's records come in that order.
std::vector<std::string> orderOf(const DbFile& file, const std::string& key,
                                 const std::vector<int>& sortFields) {
    const DbRecord record = file.ReadRecord(key);
    std::vector<std::string> order;
    for (int field : sortFields)
        order.push_back(collationKey(field == 0 ? key : record.Extract(field)));
    order.push_back(key);
    return order;
}

// The keys the command selects, asked again with the field list 0.
void checkSelectedKeys(const std::string& input, std::int32_t count) {
    DynArray command(input);
    command.Replace(3, 0, 0, "0");
    const Sentence sentence = parseSentence(command.Extract(1));
    std::int32_t keyCount = -1;
    const std::string keys = sampleDatabase().RunQuery(command.Extract(), "", keyCount).Extract();
    require(keyCount == count, "the field list does not change what is selected", input);
    if (count == 0) return;
    const DbFile file = sampleDatabase().OpenFile(sentence.file);
    if (sentence.conditions.empty()) {
        require(count == static_cast<std::int32_t>(file.Keys().size()),
                "a sentence without WITH selects every record", input);
    }
    std::optional<std::vector<std::string>> previous;
    for (std::string_view key : splitPieces(keys, kAttributeMark)) {
        std::vector<std::string> order = orderOf(file, std::string(key), sentence.sortFields);
        require(!previous || *previous < order, "records come once each, in the sentence's order",
                input);
        previous = std::move(order);
    }
}

void checkQuery(const std::string& input) {
    std::int32_t count = -1;
    std::string result;
    try {
        result = sampleDatabase().RunQuery(input, "", count).Extract();
    } catch (const platform::ComponentError& error) {
        requireOwnError(error, {kErrSentence, kErrQueryCommand, kErrNoSuchFile}, input);
        return;
    }
    // One line per record selected; a single empty line reads as the empty text.
    const int lines = DynArray(result).DCount();
    require(count == lines || (count == 1 && result.empty()),
            "the count is the number of lines answered", input);
    checkSelectedKeys(input, count);
}

}  // namespace
}  // namespace mvdb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    mvdb::fuzz::checkParse(input);
    mvdb::fuzz::checkQuery(input);
    return 0;
}
