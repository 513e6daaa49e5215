// The script language of the headless host: a script is a text of statements, one a line.
//
// Words are separated by blanks; a word in double quotes may hold blanks or be empty, and writes
// a double quote inside as \" (any other backslash stands for itself, so that the ^ ] \ notation
// of records needs no escaping). A # outside quotes starts a comment that runs to the end of the
// line; blank lines and comment lines hold no statement.
//
// parseScript checks every line before anything is played: a verb it does not know, a wrong
// number of words, a widget name, item index, key, answer, property or value that is not well
// formed fails with ScriptError naming the line. A script that parses holds only statements the
// runner can play; whether their widgets exist is for the runner to find out.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/toolkit/Keys.h"

namespace host {

// A widget as a script names it: Name, or Name(index) for an element of a control array.
struct WidgetName {
    std::string name;
    int index = -1;
    std::string shown() const;
};

struct TypeText {
    WidgetName widget;
    std::vector<toolkit::KeyCode> keys;  // one a character of the text
};
// Tab moves the focus on to the next widget; every other key goes to the widget.
struct PressKey {
    WidgetName widget;
    toolkit::KeyCode key;
};
struct MoveFocus {
    WidgetName widget;
};
struct ClickButton {
    WidgetName widget;
};
struct PickItem {  // of a combo box
    WidgetName widget;
    int index;
};
struct SelectItem {  // of a list box
    WidgetName widget;
    int index;
};
struct DoubleClick {
    WidgetName widget;
};
struct RightClick {
    std::optional<WidgetName> widget;  // nullopt: the control's own surface
};
struct ChooseMenuEntry {
    std::string entry;
};

// Close closes a box without choosing a button.
enum class ScriptAnswer { Yes, No, Cancel, Ok, Close };
struct QueueAnswer {
    ScriptAnswer answer;
};

enum class Property { Text, Enabled, Visible, ListIndex, ListCount, List, ItemData, Focused };
struct PropertyOf {
    WidgetName widget;
    Property property;
    int item = -1;  // List(i), ItemData(i)
};
struct LastMessageBox {};
struct ExitFlag {};      // the control's W_Sortir
struct WindowClosed {};  // whether the container window was unloaded
struct StoredRecord {
    std::string file;
    std::string key;
};
using Subject = std::variant<PropertyOf, LastMessageBox, ExitFlag, WindowClosed, StoredRecord>;

// The value expected, as the runner reads the subject: a text, True or False, a whole number in
// decimal; nullopt ("none") for no message box or no record.
struct Expect {
    Subject subject;
    std::optional<std::string> value;
};
// The error that reached the host during the line before; any error when text is nullopt.
struct ExpectError {
    std::optional<std::string> text;
};
struct Dump {};

using Action =
    std::variant<TypeText, PressKey, MoveFocus, ClickButton, PickItem, SelectItem, DoubleClick,
                 RightClick, ChooseMenuEntry, QueueAnswer, Expect, ExpectError, Dump>;

struct Statement {
    int line;            // from 1
    std::string source;  // the line as written, without its comment, trimmed
    Action action;
};

class ScriptError : public std::runtime_error {
public:
    ScriptError(int line, const std::string& problem) : std::runtime_error(problem), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

std::vector<Statement> parseScript(std::string_view text);

// Reads and parses a script file; a file that cannot be read fails with ScriptError at line 0.
std::vector<Statement> loadScript(const std::string& path);

}  // namespace host
