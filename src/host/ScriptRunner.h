// The runner of the headless host: plays a parsed script (Script.h) over the control's surface,
// as one user, and checks its expectations.
//
// - User actions go through one toolkit::User; an action on a widget first puts the focus there
//   when the widget takes it. type and key put the caret at the end of the text first; type stops
//   at the first key whose action raises an error, as an error box would take the keys after it.
// - Errors: reportError() is the host's error callback, for the surface's error handler and for
//   the start-up (creation of the control, its three objects, Init). An action that is refused
//   counts as an error of its line too. Each error must be taken by an `expect error` line right
//   after the line that raised it (the start-up's by the first lines), one line an error, oldest
//   first; an error left over fails the line that raised it.
// - Failures of the script itself fail the line whatever follows: a widget that the screen does
//   not have, a widget of the wrong kind for the statement, a user action once the container
//   window is closed, an expectation not met, an `expect error` with no error to take. At the
//   end, an answer that no message box took fails its own line.
// The run stops at the first failure; dump and the message boxes print on the output.
#pragma once

#include <deque>
#include <exception>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/Script.h"
#include "host/ScriptedMessages.h"
#include "platform/component/Dispatch.h"
#include "platform/mvdb/Database.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/User.h"

namespace host {

// What a script plays on: the control's surface and its dispatch interface (nullptr when the
// control could not be created), and the database that the expectations on records read.
struct ScriptTarget {
    toolkit::Surface* surface = nullptr;
    component::Dispatchable* control = nullptr;
    const mvdb::Database* database = nullptr;
};

struct ScriptFailure {
    int line;               // 0 for the start-up
    std::string statement;  // the line's text; "" for the start-up
    std::string problem;
};

// The failure as the host prints it: "FILE:LINE: STATEMENT: PROBLEM".
std::string describe(const ScriptFailure& failure, const std::string& scriptPath);

class ScriptRunner {
public:
    ScriptRunner(ScriptedMessages& messages, std::ostream& out) : messages_(messages), out_(out) {}

    void reportError(const std::exception& error);

    std::optional<ScriptFailure> run(const std::vector<Statement>& statements,
                                     const ScriptTarget& target);

private:
    std::optional<ScriptFailure> playAll(const std::vector<Statement>& statements);
    // The failure of the line that raised the errors that no expect error took.
    std::optional<ScriptFailure> leftoverError() const;
    std::optional<ScriptFailure> unusedAnswer(const std::vector<Statement>& statements) const;
    void play(const Action& action);

    void play(const TypeText& statement);
    void play(const PressKey& statement);
    void play(const MoveFocus& statement);
    void play(const ClickButton& statement);
    void play(const PickItem& statement);
    void play(const SelectItem& statement);
    void play(const DoubleClick& statement);
    void play(const RightClick& statement);
    void play(const ChooseMenuEntry& statement);
    void play(const QueueAnswer& statement);
    void play(const Expect& statement);
    void play(const ExpectError& statement);
    void play(const Dump& statement);

    // Runs a user's action; what it throws is an error of the line.
    template <class Call>
    void userAction(const Call& call);
    void requireOpen() const;
    void putCaretAtEnd(toolkit::EditableWidget& widget);

    toolkit::Surface& surface() const;
    toolkit::Control& control(const WidgetName& name) const;
    template <class T>
    T& controlAs(const WidgetName& name, std::string_view wanted) const;
    // The widget that an action acts on, once the window is known to be open.
    template <class T>
    T& actedOn(const WidgetName& name, std::string_view wanted);

    std::optional<std::string> read(const Subject& subject);
    std::string readProperty(const PropertyOf& property) const;
    std::string exitFlag() const;
    std::optional<std::string> storedRecord(const StoredRecord& record) const;

    ScriptedMessages& messages_;
    std::ostream& out_;
    ScriptTarget target_;
    std::optional<toolkit::User> user_;
    std::deque<std::string> errors_;  // reached the host, not yet taken by an expect error
    const Statement* playing_ = nullptr;
    const Statement* raisedBy_ = nullptr;  // the line that the pending errors belong to
};

}  // namespace host
