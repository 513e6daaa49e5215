#include "tools/mvdb/JsonRecords.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <tuple>
#include <utility>

#include <nlohmann/json.hpp>

#include "platform/mvdb/Marks.h"
#include "platform/mvdb/Notation.h"

namespace mvdbtool {
namespace {

// Ordered, so that "key" comes before "attributes" as people expect to read it.
using Json = nlohmann::ordered_json;
using mvdb::Store;

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

// The text of a record, or of the text a change replaced: its attributes, or, in notation, a text.
Json textToJson(std::string_view text, bool inNotation) {
    if (inNotation) return mvdb::toNotation(text);
    if (text.empty()) return Json::array();
    return piecesToJson(text, mvdb::kAttributeMark, attributeToJson);
}

std::string textOfJson(const Json& text, bool inNotation, const char* member) {
    if (inNotation) {
        if (!text.is_string()) refuse(std::string("« ") + member + " » doit être un texte");
        return mvdb::fromNotation(text.get_ref<const std::string&>());
    }
    if (!text.is_array()) refuse(std::string("« ") + member + " » doit être une liste d'attributs");
    return joinJson(text, mvdb::kAttributeMark, attributeText);
}

// A key, or a user's name, as a line gives it: itself, or in notation.
std::string nameOfJson(const Json& line, const char* member, bool inNotation) {
    const Json& name = line[member];
    if (!name.is_string() || name.get_ref<const std::string&>().empty())
        refuse(std::string("« ") + member + " » doit être un texte non vide");
    return inNotation ? mvdb::fromNotation(name.get_ref<const std::string&>())
                      : name.get<std::string>();
}

// A version: a whole number that JSON's every reader keeps exactly, so that a restore may raise
// it without overflow.
Store::Version versionOfJson(const Json& version) {
    constexpr Store::Version kHighest = (Store::Version{1} << 53) - 1;
    if (!version.is_number_integer() || version.get<Store::Version>() < 0 ||
        version.get<Store::Version>() > kHighest)
        refuse("« version » doit être un entier de 0 à " + std::to_string(kHighest));
    return version.get<Store::Version>();
}

// Whether the line is an object holding these members and nothing else.
bool holdsExactly(const Json& line, std::initializer_list<const char*> members) {
    return line.is_object() && line.size() == members.size() &&
           std::all_of(members.begin(), members.end(),
                       [&](const char* member) { return line.contains(member); });
}

// The line in its plain form, or, when one of its texts holds a byte that is no UTF-8, which the
// strict writer refuses, with every text in notation, which writes such a byte %HH.
template <class Build>
std::string lineOf(Build build) {
    try {
        return build(false).dump();
    } catch (const Json::type_error&) {
        return build(true).dump();
    }
}

Json nameToJson(std::string_view name, bool inNotation) {
    return inNotation ? mvdb::toNotation(name) : std::string(name);
}

// versioned: whether the line may give the record's version, as a dump's does.
Record recordOf(const Json& line, bool versioned) {
    const bool inNotation = line.is_object() && line.contains("notation");
    const char* text = inNotation ? "notation" : "attributes";
    const bool withVersion = versioned && line.is_object() && line.contains("version");
    if (!(withVersion ? holdsExactly(line, {"key", "version", text})
                      : holdsExactly(line, {"key", text}))) {
        refuse(R"(il faut un objet {"key":…,"attributes":[…]} ou {"key":…,"notation":…} et )"
               "rien d'autre");
    }
    Record record{nameOfJson(line, "key", inNotation), textOfJson(line[text], inNotation, text),
                  std::nullopt};
    if (withVersion) record.version = versionOfJson(line["version"]);
    return record;
}

// A time as a dump gives it: UTC, to the microsecond, 2026-12-08T21:08:52.123456Z.
std::string timeToText(std::chrono::sys_time<std::chrono::microseconds> time) {
    const auto days = std::chrono::floor<std::chrono::days>(time);
    const std::chrono::year_month_day date(days);
    const std::chrono::hh_mm_ss clock(time - days);
    std::array<char, 48> text{};
    const int length = std::snprintf(
        text.data(), text.size(), "%04d-%02u-%02uT%02d:%02d:%02d.%06lldZ",
        static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
        static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
        static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count()),
        static_cast<long long>(clock.subseconds().count()));
    return {text.data(), static_cast<std::size_t>(length)};
}

std::chrono::sys_time<std::chrono::microseconds> timeOfJson(const Json& time) {
    int year = 0, hour = 0, minute = 0, second = 0;
    unsigned month = 0, day = 0;
    long long micro = 0;
    const bool read =
        time.is_string() &&
        std::sscanf(time.get_ref<const std::string&>().c_str(), "%5d-%2u-%2uT%2d:%2d:%2d.%6lldZ",
                    &year, &month, &day, &hour, &minute, &second, &micro) == 7;
    const std::chrono::year_month_day given{std::chrono::year(year), std::chrono::month(month),
                                            std::chrono::day(day)};
    const auto at = std::chrono::sys_days(given) + std::chrono::hours(hour) +
                    std::chrono::minutes(minute) + std::chrono::seconds(second) +
                    std::chrono::microseconds(micro);
    // Read back as it is written, or refused: no other form, no day or hour out of range.
    if (!read || !given.ok() || timeToText(at) != time.get_ref<const std::string&>())
        refuse("« time » doit être une heure UTC comme 2026-12-08T21:08:52.123456Z");
    return at;
}

// An entry of a file's history, from its line of a dump.
Store::KeyedChange changeOf(const Json& line) {
    const bool inNotation = line.is_object() && line.contains("notation");
    const char* text = inNotation ? "notation" : "replaced";
    if (!holdsExactly(line, {"history", "version", "deleted", "time", "user", text}))
        refuse(R"(il faut un objet {"history":…,"version":…,"deleted":…,"time":…,"user":…,)"
               R"("replaced":…} et rien d'autre)");
    Store::KeyedChange entry{nameOfJson(line, "history", inNotation), {}};
    Store::Change& change = entry.change;
    change.version = versionOfJson(line["version"]);
    if (!line["deleted"].is_boolean()) refuse("« deleted » doit être true ou false");
    change.deleted = line["deleted"].get<bool>();
    change.time = timeOfJson(line["time"]);
    change.user = nameOfJson(line, "user", inNotation);
    if (!line[text].is_null()) change.replaced = textOfJson(line[text], inNotation, text);
    return entry;
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

[[noreturn]] void refuseTwice(std::size_t first, std::size_t second, const std::string& what) {
    refuse("Lignes " + std::to_string(first) + " et " + std::to_string(second) +
           " de l'entrée : " + what + " est donnée deux fois.");
}

// A file's lines as they come: its records, each key once (a second record of a key would replace
// the first without a word), then, in a dump, its history: each entry once, and none of a key at a
// version above its record's, which the record's next write would give again.
class FileLines {
public:
    FileLines(std::string name, bool dump) : file_{std::move(name), {}, {}}, dump_(dump) {}

    void add(const Json& line, std::size_t number) {
        if (!file_.history.empty())
            refuse("Ligne " + std::to_string(number) +
                   " de l'entrée : un enregistrement après l'historique de son fichier.");
        file_.records.push_back(atLine(number, [&] { return recordOf(line, dump_); }));
        const auto [first, added] =
            keys_.emplace(file_.records.back().key, Seen{number, file_.records.size() - 1});
        if (!added)
            refuseTwice(first->second.line, number,
                        "la clé « " + mvdb::toNotation(first->first) + " »");
    }

    void addChange(const Json& line, std::size_t number) {
        Store::KeyedChange entry = atLine(number, [&] { return changeOf(line); });
        const Store::Change& change = entry.change;
        const auto [first, added] =
            changes_.emplace(std::tuple(entry.key, change.version, change.deleted), number);
        if (!added)
            refuseTwice(first->second, number,
                        std::string(change.deleted ? "la suppression" : "l'écriture") +
                            " de la version " + std::to_string(change.version) + " de la clé « " +
                            mvdb::toNotation(entry.key) + " »");
        const auto record = keys_.find(entry.key);
        const std::optional<Store::Version> own =
            record == keys_.end() ? std::nullopt : file_.records[record->second.index].version;
        if (own && (change.version > *own || (change.version == *own && change.deleted)))
            refuse("Ligne " + std::to_string(number) + " de l'entrée : l'historique de la clé « " +
                   mvdb::toNotation(entry.key) + " » donne la version " +
                   std::to_string(change.version) + ", qui ne précède pas la version " +
                   std::to_string(*own) + " de son enregistrement.");
        file_.history.push_back(std::move(entry));
    }

    RecordFile take() { return std::move(file_); }

private:
    struct Seen {
        std::size_t line;
        std::size_t index;  // in file_.records
    };
    RecordFile file_;
    bool dump_;
    std::map<std::string, Seen, std::less<>> keys_;
    std::map<std::tuple<std::string, Store::Version, bool>, std::size_t> changes_;
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

std::string toJsonLine(std::string_view key, std::string_view text,
                       std::optional<Store::Version> version) {
    return lineOf([&](bool inNotation) {
        Json line = {{"key", nameToJson(key, inNotation)}};
        if (version) line["version"] = *version;
        line[inNotation ? "notation" : "attributes"] = textToJson(text, inNotation);
        return line;
    });
}

std::string toHistoryLine(std::string_view key, const Store::Change& change) {
    return lineOf([&](bool inNotation) {
        Json line = {{"history", nameToJson(key, inNotation)},
                     {"version", change.version},
                     {"deleted", change.deleted},
                     {"time", timeToText(change.time)},
                     {"user", nameToJson(change.user, inNotation)}};
        line[inNotation ? "notation" : "replaced"] =
            change.replaced ? textToJson(*change.replaced, inNotation) : Json(nullptr);
        return line;
    });
}

std::vector<Record> readJsonLines(const std::string& input) {
    FileLines records({}, false);
    forEachLine(input, [&](const std::string& line, std::size_t number) {
        records.add(parsed(line, number), number);
    });
    return records.take().records;
}

std::string toFileLine(std::string_view name) {
    return Json{{"file", mvdb::toNotation(name)}}.dump();
}

std::vector<RecordFile> readDump(const std::string& input) {
    std::vector<RecordFile> files;
    std::map<std::string, std::size_t, std::less<>> lineOfFile;
    std::optional<FileLines> lines;
    const auto endFile = [&] {
        if (lines) files.push_back(lines->take());
    };
    forEachLine(input, [&](const std::string& line, std::size_t number) {
        const Json json = parsed(line, number);
        const std::optional<std::string> file = atLine(number, [&] { return fileOf(json); });
        if (!file) {
            if (!lines)
                refuse("Ligne " + std::to_string(number) +
                       R"( de l'entrée : un enregistrement avant la première ligne {"file":…}.)");
            if (json.is_object() && json.contains("history")) return lines->addChange(json, number);
            return lines->add(json, number);
        }
        const auto [first, added] = lineOfFile.emplace(*file, number);
        if (!added)
            refuse("Lignes " + std::to_string(first->second) + " et " + std::to_string(number) +
                   " de l'entrée : le fichier « " + mvdb::toNotation(*file) +
                   " » est donné deux fois.");
        endFile();
        lines.emplace(*file, true);
    });
    endFile();
    return files;
}

}  // namespace mvdbtool
