#include "tools/mvdb/JsonRecords.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>

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

// The record of line number, its failure named by that number.
Record recordOfLine(const std::string& line, std::size_t number) {
    const std::string where = "Ligne " + std::to_string(number) + " de l'entrée : ";
    try {
        return recordOf(Json::parse(line));
    } catch (const Json::parse_error& error) {
        refuse(where + "ce n'est pas du JSON valide (caractère " + std::to_string(error.byte) +
               ").");
    } catch (const std::runtime_error& error) {
        refuse(where + error.what() + ".");
    }
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
    std::vector<Record> records;
    // The line of each key: a second record of a key would replace the first without a word.
    std::map<std::string, std::size_t, std::less<>> lineOfKey;
    std::istringstream in(input);
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        if (isBlank(line)) continue;
        records.push_back(recordOfLine(line, number));
        const auto [first, added] = lineOfKey.emplace(records.back().key, number);
        if (!added)
            refuse("Lignes " + std::to_string(first->second) + " et " + std::to_string(number) +
                   " de l'entrée : la clé « " + mvdb::toNotation(first->first) +
                   " » est donnée deux fois.");
    }
    return records;
}

}  // namespace mvdbtool
