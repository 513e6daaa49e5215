#include "tools/mvdb/JsonRecords.h"

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <utility>

#include <nlohmann/json.hpp>

#include "platform/mvdb/Marks.h"
#include "platform/mvdb/Notation.h"

namespace mvdbtool {
namespace {

// Ordered, so that "key" comes before "attributes" as people expect to read it.
using Json = nlohmann::ordered_json;

// The pieces of text between marks, each turned into JSON by toJson, as one array.
template <class ToJson>
Json piecesToJson(std::string_view text, char mark, ToJson toJson) {
    Json array = Json::array();
    for (std::string_view piece : mvdb::splitPieces(text, mark))
        array.push_back(toJson(piece));
    return array;
}

Json subvalueToJson(std::string_view subvalue) {
    return std::string(subvalue);
}

Json valueToJson(std::string_view value) {
    if (value.find(mvdb::kSubvalueMark) == std::string_view::npos) return std::string(value);
    return piecesToJson(value, mvdb::kSubvalueMark, subvalueToJson);
}

Json attributeToJson(std::string_view attribute) {
    return piecesToJson(attribute, mvdb::kValueMark, valueToJson);
}

[[noreturn]] void refuse(const std::string& why) {
    throw std::runtime_error(why);
}

// The elements of a JSON array, each turned into text by textOf, joined by mark.
template <class TextOf>
std::string joinJson(const Json& array, char mark, TextOf textOf) {
    std::vector<std::string> pieces;
    pieces.reserve(array.size());
    for (const Json& element : array)
        pieces.push_back(textOf(element));
    return mvdb::joinPieces(pieces, mark);
}

std::string subvalueText(const Json& subvalue) {
    if (!subvalue.is_string()) refuse("une sous-valeur doit être un texte");
    return subvalue.get<std::string>();
}

std::string valueText(const Json& value) {
    if (value.is_string()) return value.get<std::string>();
    if (!value.is_array()) refuse("une valeur doit être un texte ou une liste de sous-valeurs");
    return joinJson(value, mvdb::kSubvalueMark, subvalueText);
}

std::string attributeText(const Json& attribute) {
    if (!attribute.is_array()) refuse("chaque attribut doit être une liste de valeurs");
    return joinJson(attribute, mvdb::kValueMark, valueText);
}

// The record of a line that gives its key and text in notation.
Record recordInNotation(const std::string& key, const Json& notation) {
    if (!notation.is_string()) refuse("« notation » doit être un texte");
    return {mvdb::fromNotation(key), mvdb::fromNotation(notation.get_ref<const std::string&>())};
}

Record recordOf(const Json& line) {
    const bool inNotation = line.is_object() && line.contains("notation");
    if (!line.is_object() || line.size() != 2 || !line.contains("key") ||
        !(inNotation || line.contains("attributes"))) {
        refuse(R"(il faut un objet {"key":…,"attributes":[…]} ou {"key":…,"notation":…} et )"
               "rien d'autre");
    }
    const Json& key = line["key"];
    if (!key.is_string() || key.get_ref<const std::string&>().empty()) {
        refuse("« key » doit être un texte non vide");
    }
    if (inNotation) return recordInNotation(key.get<std::string>(), line["notation"]);
    const Json& attributes = line["attributes"];
    if (!attributes.is_array()) refuse("« attributes » doit être une liste d'attributs");
    return {key.get<std::string>(), joinJson(attributes, mvdb::kAttributeMark, attributeText)};
}

bool isBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

// What work answers for line number, its failures named by that number.
template <class Work>
auto atLine(std::size_t number, Work work) {
    const std::string where = "Ligne " + std::to_string(number) + " de l'entrée : ";
    try {
        return work();
    } catch (const Json::parse_error& error) {
        refuse(where + "ce n'est pas du JSON valide (caractère " + std::to_string(error.byte) +
               ").");
    } catch (const std::runtime_error& error) {
        refuse(where + error.what() + ".");
    }
}

Json parsed(const std::string& line, std::size_t number) {
    return atLine(number, [&] { return Json::parse(line); });
}

// The records of one file as their lines come, each key once: a second record of a key would
// replace the first without a word.
class FileLines {
public:
    void add(const Json& line, std::size_t number) {
        records_.push_back(atLine(number, [&] { return recordOf(line); }));
        const auto [first, added] = lineOfKey_.emplace(records_.back().key, number);
        if (!added)
            refuse("Lignes " + std::to_string(first->second) + " et " + std::to_string(number) +
                   " de l'entrée : la clé « " + mvdb::toNotation(first->first) +
                   " » est donnée deux fois.");
    }
    std::vector<Record> take() { return std::exchange(records_, {}); }

private:
    std::vector<Record> records_;
    std::map<std::string, std::size_t, std::less<>> lineOfKey_;
};

// Calls visit(line, number) for each line of input that is not blank, numbered from 1.
template <class Visit>
void forEachLine(const std::string& input, Visit visit) {
    std::istringstream in(input);
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        if (!isBlank(line)) visit(line, number);
    }
}

// The name of a file that a dump's line starts, or none when the line is a record's.
std::optional<std::string> fileOf(const Json& line) {
    if (!line.is_object() || !line.contains("file")) return std::nullopt;
    const Json& name = line["file"];
    if (line.size() != 1 || !name.is_string() || name.get_ref<const std::string&>().empty())
        refuse(R"(il faut un objet {"file":…}, le nom en notation, et rien d'autre)");
    return mvdb::fromNotation(name.get_ref<const std::string&>());
}

}  // namespace

std::string toJsonLine(std::string_view key, std::string_view text) {
    Json line = {{"key", std::string(key)}, {"attributes", Json::array()}};
    if (!text.empty()) {
        line["attributes"] = piecesToJson(text, mvdb::kAttributeMark, attributeToJson);
    }
    try {
        return line.dump();
    } catch (const Json::type_error&) {
        // The strict writer refuses bytes that are no UTF-8, which the notation writes as %HH.
        return Json{{"key", mvdb::toNotation(key)}, {"notation", mvdb::toNotation(text)}}.dump();
    }
}

std::vector<Record> readJsonLines(const std::string& input) {
    FileLines records;
    forEachLine(input, [&](const std::string& line, std::size_t number) {
        records.add(parsed(line, number), number);
    });
    return records.take();
}

std::string toFileLine(std::string_view name) {
    return Json{{"file", mvdb::toNotation(name)}}.dump();
}

std::vector<RecordFile> readDump(const std::string& input) {
    std::vector<RecordFile> files;
    std::map<std::string, std::size_t, std::less<>> lineOfFile;
    std::optional<FileLines> records;
    const auto endFile = [&] {
        if (records) files.back().records = records->take();
    };
    forEachLine(input, [&](const std::string& line, std::size_t number) {
        const Json json = parsed(line, number);
        const std::optional<std::string> file = atLine(number, [&] { return fileOf(json); });
        if (!file) {
            if (!records)
                refuse("Ligne " + std::to_string(number) +
                       R"( de l'entrée : un enregistrement avant la première ligne {"file":…}.)");
            return records->add(json, number);
        }
        const auto [first, added] = lineOfFile.emplace(*file, number);
        if (!added)
            refuse("Lignes " + std::to_string(first->second) + " et " + std::to_string(number) +
                   " de l'entrée : le fichier « " + mvdb::toNotation(*file) +
                   " » est donné deux fois.");
        endFile();
        files.push_back({*file, {}});
        records.emplace();
    });
    endFile();
    return files;
}

}  // namespace mvdbtool
