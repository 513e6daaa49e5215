#include "host/Script.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/Utf8.h"
#include "platform/WholeNumber.h"

namespace host {
namespace {

struct Word {
    std::string text;
    bool quoted = false;
};
using Words = std::vector<Word>;

[[noreturn]] void fail(const std::string& problem) {
    throw std::invalid_argument(problem);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The quoted word that starts at line[at] (the opening quote); at ends past the closing quote.
Word quotedWord(std::string_view line, std::size_t& at) {
    Word word{"", true};
    for (++at; at < line.size(); ++at) {
        if (line[at] == '\\' && at + 1 < line.size() && line[at + 1] == '"') {
            word.text += '"';
            ++at;
        } else if (line[at] == '"') {
            ++at;
            if (at < line.size() && !isBlank(line[at]) && line[at] != '#') {
                fail("un guillemet fermant doit finir son mot");
            }
            return word;
        } else {
            word.text += line[at];
        }
    }
    fail("un texte entre guillemets n'est pas fermé");
}

// The words of a line, up to its comment; end receives where the statement's text ends.
Words splitWords(std::string_view line, std::size_t& end) {
    Words words;
    std::size_t at = 0;
    end = 0;
    while (true) {
        while (at < line.size() && isBlank(line[at]))
            ++at;
        if (at == line.size() || line[at] == '#') return words;
        if (line[at] == '"') {
            words.push_back(quotedWord(line, at));
        } else {
            const std::size_t start = at;
            while (at < line.size() && !isBlank(line[at]) && line[at] != '#' && line[at] != '"')
                ++at;
            if (at < line.size() && line[at] == '"') fail("un guillemet doit commencer son mot");
            words.push_back({std::string(line.substr(start, at - start))});
        }
        end = at;
    }
}

int itemIndex(std::string_view text) {
    const std::optional<std::int32_t> index = platform::wholeNumber(text);
    if (!index || *index < 0) fail("« " + std::string(text) + " » n'est pas un numéro d'élément");
    return *index;
}

// "Name" or "Name(i)", the name of letters, digits and underscores.
WidgetName widgetName(std::string_view text) {
    const std::size_t open = text.find('(');
    const std::string_view name = text.substr(0, open);
    if (name.empty() ||
        name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                               "0123456789_") != std::string_view::npos) {
        fail("« " + std::string(text) + " » n'est pas un nom de widget");
    }
    if (open == std::string_view::npos) return {std::string(name)};
    if (!text.ends_with(')')) fail("« " + std::string(text) + " » n'est pas un nom de widget");
    return {std::string(name), itemIndex(text.substr(open + 1, text.size() - open - 2))};
}

// A key as the text of a script writes it: one character that a key can carry.
toolkit::KeyCode characterKey(std::string_view text, std::size_t at, std::size_t& length) {
    const platform::Utf8Char decoded = platform::decodeUtf8(text, at);
    const auto code = static_cast<toolkit::KeyCode>(decoded.codePoint);
    if (decoded.length == 0 || decoded.codePoint > 0xFFFF || toolkit::characterOf(code) == 0) {
        fail("« " + std::string(text) + " » contient un caractère qu'aucune touche ne tape");
    }
    length = decoded.length;
    return code;
}

std::vector<toolkit::KeyCode> keysOf(std::string_view text) {
    std::vector<toolkit::KeyCode> keys;
    for (std::size_t at = 0, length = 0; at < text.size(); at += length)
        keys.push_back(characterKey(text, at, length));
    return keys;
}

toolkit::KeyCode namedKey(std::string_view name) {
    if (name == "Enter") return toolkit::kKeyEnter;
    if (name == "Tab") return toolkit::kKeyTab;
    if (name == "Backspace") return toolkit::kKeyBackspace;
    std::size_t length = 0;
    const toolkit::KeyCode key =
        name.empty() ? toolkit::kKeyDiscarded : characterKey(name, 0, length);
    if (name.empty() || length != name.size()) {
        fail("key « " + std::string(name) + " » : Enter, Tab, Backspace ou un caractère");
    }
    return key;
}

ScriptAnswer answerNamed(std::string_view name) {
    constexpr std::array<std::pair<std::string_view, ScriptAnswer>, 5> kAnswers = {{
        {"Yes", ScriptAnswer::Yes},
        {"No", ScriptAnswer::No},
        {"Cancel", ScriptAnswer::Cancel},
        {"OK", ScriptAnswer::Ok},
        {"Close", ScriptAnswer::Close},
    }};
    for (const auto& [shown, answer] : kAnswers)
        if (name == shown) return answer;
    fail("answer « " + std::string(name) + " » : Yes, No, Cancel, OK ou Close");
}

enum class ValueKind { Text, Boolean, Number };

std::string expectedValue(const Word& word, ValueKind kind) {
    if (kind == ValueKind::Boolean && word.text != "True" && word.text != "False") {
        fail("« " + word.text + " » n'est ni True ni False");
    }
    if (kind == ValueKind::Number) {
        const std::optional<std::int32_t> number = platform::wholeNumber(word.text);
        if (!number) fail("« " + word.text + " » n'est pas un nombre entier");
        return std::to_string(*number);
    }
    return word.text;
}

// A text, or nullopt for the word none written without quotes.
std::optional<std::string> textOrNone(const Word& word) {
    if (word.text == "none" && !word.quoted) return std::nullopt;
    return word.text;
}

struct PropertyForm {
    std::string_view name;
    Property property;
    ValueKind kind;
    bool takesItem;
};

constexpr std::array<PropertyForm, 8> kProperties = {{
    {"Text", Property::Text, ValueKind::Text, false},
    {"Enabled", Property::Enabled, ValueKind::Boolean, false},
    {"Visible", Property::Visible, ValueKind::Boolean, false},
    {"ListIndex", Property::ListIndex, ValueKind::Number, false},
    {"ListCount", Property::ListCount, ValueKind::Number, false},
    {"List", Property::List, ValueKind::Text, true},
    {"ItemData", Property::ItemData, ValueKind::Number, true},
    {"Focused", Property::Focused, ValueKind::Boolean, false},
}};

// W.PROP VALUE
Expect propertyExpectation(std::string_view target, const Word& value) {
    const std::size_t dot = target.find('.');
    if (dot == std::string_view::npos) {
        fail("expect : « " + std::string(target) +
             " » n'est ni W.PROP, ni msgbox, W_Sortir, closed, record ou error");
    }
    const WidgetName widget = widgetName(target.substr(0, dot));
    const std::string_view written = target.substr(dot + 1);
    const std::string_view name = written.substr(0, written.find('('));
    for (const PropertyForm& form : kProperties) {
        if (form.name != name) continue;
        int item = -1;
        if (form.takesItem) {
            if (name.size() == written.size() || !written.ends_with(')')) {
                fail(std::string(name) + " demande un élément : " + std::string(name) + "(i)");
            }
            item = itemIndex(written.substr(name.size() + 1, written.size() - name.size() - 2));
        } else if (name.size() != written.size()) {
            fail(std::string(name) + " ne prend pas d'élément");
        }
        return {PropertyOf{widget, form.property, item}, expectedValue(value, form.kind)};
    }
    fail("propriété inconnue : « " + std::string(written) + " »");
}

void needWords(const Words& words, std::size_t fewest, std::size_t most, std::string_view form) {
    if (words.size() < fewest || words.size() > most) {
        fail("nombre de mots erroné ; la forme est : " + std::string(form));
    }
}

Action expectation(const Words& words) {
    const std::string& target = words[1].text;
    if (target == "error") {
        needWords(words, 2, 3, "expect error [TEXT]");
        if (words.size() == 2) return ExpectError{};
        return ExpectError{words[2].text};
    }
    if (target == "record") {
        needWords(words, 5, 5, "expect record FILE KEY TEXT|none");
        return Expect{StoredRecord{words[2].text, words[3].text}, textOrNone(words[4])};
    }
    needWords(words, 3, 3, "expect SUBJECT VALUE");
    if (target == "msgbox") return Expect{LastMessageBox{}, textOrNone(words[2])};
    if (target == "W_Sortir") {
        return Expect{ExitFlag{}, expectedValue(words[2], ValueKind::Boolean)};
    }
    if (target == "closed") {
        return Expect{WindowClosed{}, expectedValue(words[2], ValueKind::Boolean)};
    }
    return propertyExpectation(target, words[2]);
}

struct VerbForm {
    std::string_view verb;
    std::string_view operands;  // as an error shows the form
    std::size_t fewestWords;
    std::size_t mostWords;
    std::function<Action(const Words&)> parse;
};

const std::vector<VerbForm>& verbForms() {
    const auto widget = [](const Words& w) { return widgetName(w[1].text); };
    static const std::vector<VerbForm> forms = {
        {"type", "W TEXT", 3, 3,
         [=](const Words& w) {
             return TypeText{widget(w), keysOf(w[2].text)};
         }},
        {"key", "W NAME", 3, 3,
         [=](const Words& w) {
             return PressKey{widget(w), namedKey(w[2].text)};
         }},
        {"focus", "W", 2, 2, [=](const Words& w) { return MoveFocus{widget(w)}; }},
        {"click", "W", 2, 2, [=](const Words& w) { return ClickButton{widget(w)}; }},
        {"pick", "W N", 3, 3,
         [=](const Words& w) {
             return PickItem{widget(w), itemIndex(w[2].text)};
         }},
        {"select", "W N", 3, 3,
         [=](const Words& w) {
             return SelectItem{widget(w), itemIndex(w[2].text)};
         }},
        {"dblclick", "W", 2, 2, [=](const Words& w) { return DoubleClick{widget(w)}; }},
        {"rightclick", "[W]", 1, 2,
         [=](const Words& w) { return w.size() == 1 ? RightClick{} : RightClick{widget(w)}; }},
        {"menu", "M", 2, 2, [](const Words& w) { return ChooseMenuEntry{w[1].text}; }},
        {"answer", "A", 2, 2, [](const Words& w) { return QueueAnswer{answerNamed(w[1].text)}; }},
        {"expect", "SUBJECT VALUE", 2, 5, expectation},
        {"dump", "", 1, 1, [](const Words&) { return Dump{}; }},
    };
    return forms;
}

Action action(const Words& words) {
    for (const VerbForm& form : verbForms()) {
        if (form.verb != words[0].text || words[0].quoted) continue;
        const std::string shape = std::string(form.verb) + " " + std::string(form.operands);
        needWords(words, form.fewestWords, form.mostWords, shape);
        return form.parse(words);
    }
    fail("instruction inconnue : « " + words[0].text + " »");
}

}  // namespace

std::string WidgetName::shown() const {
    return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

std::vector<Statement> parseScript(std::string_view text) {
    // An editor's byte-order mark before the first statement is no part of it.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<Statement> statements;
    int number = 0;
    for (std::size_t start = 0; start <= text.size(); ++number) {
        std::size_t stop = text.find('\n', start);
        if (stop == std::string_view::npos) stop = text.size();
        const std::string_view line = text.substr(start, stop - start);
        start = stop + 1;
        try {
            std::size_t end = 0;
            const Words words = splitWords(line, end);
            if (words.empty()) continue;
            const std::size_t first = line.find_first_not_of(" \t\r");
            statements.push_back(
                {number + 1, std::string(line.substr(first, end - first)), action(words)});
        } catch (const std::invalid_argument& problem) {
            throw ScriptError(number + 1, problem.what());
        }
    }
    return statements;
}

std::vector<Statement> loadScript(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file || std::filesystem::is_directory(path)) {
        throw ScriptError(0, "le script « " + path + " » ne peut pas être lu");
    }
    return parseScript(text.str());
}

}  // namespace host
