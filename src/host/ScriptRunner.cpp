#include "host/ScriptRunner.h"

#include <limits>

#include "control/ControleOstrevan.h"
#include "platform/mvdb/DbError.h"
#include "platform/mvdb/Notation.h"
#include "platform/toolkit/Button.h"
#include "platform/toolkit/ComboBox.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/MenuEntry.h"
#include "platform/toolkit/StateDump.h"

namespace host {
namespace {

// The failure of the line being played.
struct LineFailure {
    std::string problem;
};

[[noreturn]] void fail(std::string problem) {
    throw LineFailure{std::move(problem)};
}

std::string shown(const std::optional<std::string>& value) {
    return value ? "« " + *value + " »" : "none";
}

std::string boolean(bool value) {
    return value ? "True" : "False";
}

std::string kindOf(const toolkit::Control& control) {
    return std::string(toolkit::kindName(control.kind()));
}

template <class T>
std::string itemProperty(const T& widget, const PropertyOf& property) {
    if (property.item >= widget.ListCount()) {
        fail(property.widget.shown() + " n'a pas d'élément " + std::to_string(property.item) +
             " (ListCount " + std::to_string(widget.ListCount()) + ")");
    }
    switch (property.property) {
        case Property::ListIndex:
            return std::to_string(widget.ListIndex());
        case Property::ListCount:
            return std::to_string(widget.ListCount());
        case Property::List:
            return std::string(widget.List(property.item));
        case Property::ItemData:
            return std::to_string(widget.ItemData(property.item));
        default:
            return "";
    }
}

}  // namespace

std::string describe(const ScriptFailure& failure, const std::string& scriptPath) {
    if (failure.line == 0) return scriptPath + ": démarrage : " + failure.problem;
    return scriptPath + ":" + std::to_string(failure.line) + ": " + failure.statement + " : " +
           failure.problem;
}

void ScriptRunner::reportError(const std::exception& error) {
    errors_.emplace_back(error.what());
}

std::optional<ScriptFailure> ScriptRunner::run(const std::vector<Statement>& statements,
                                               const ScriptTarget& target) {
    target_ = target;
    user_.reset();
    if (target_.surface != nullptr) user_.emplace(*target_.surface);
    raisedBy_ = nullptr;
    std::optional<ScriptFailure> failure = playAll(statements);
    errors_.clear();  // judged by this run
    return failure;
}

std::optional<ScriptFailure> ScriptRunner::playAll(const std::vector<Statement>& statements) {
    for (const Statement& statement : statements) {
        playing_ = &statement;
        if (!std::holds_alternative<ExpectError>(statement.action)) {
            if (std::optional<ScriptFailure> failure = leftoverError()) return failure;
            raisedBy_ = &statement;
        }
        try {
            play(statement.action);
        } catch (const LineFailure& failure) {
            return ScriptFailure{statement.line, statement.source, failure.problem};
        }
    }
    if (std::optional<ScriptFailure> failure = leftoverError()) return failure;
    return unusedAnswer(statements);
}

std::optional<ScriptFailure> ScriptRunner::leftoverError() const {
    if (errors_.empty()) return std::nullopt;
    const std::string problem = "une erreur a atteint l'hôte : " + errors_.front();
    if (raisedBy_ == nullptr) return ScriptFailure{0, "", problem};
    return ScriptFailure{raisedBy_->line, raisedBy_->source, problem};
}

std::optional<ScriptFailure> ScriptRunner::unusedAnswer(
    const std::vector<Statement>& statements) const {
    const std::optional<int> line = messages_.unusedAnswerLine();
    for (const Statement& statement : statements) {
        if (line == statement.line) {
            return ScriptFailure{statement.line, statement.source,
                                 "aucune boîte de message n'a pris cette réponse"};
        }
    }
    return std::nullopt;
}

void ScriptRunner::play(const Action& action) {
    std::visit([this](const auto& statement) { play(statement); }, action);
}

template <class Call>
void ScriptRunner::userAction(const Call& call) {
    try {
        call();
    } catch (const std::exception& error) {
        reportError(error);
    }
}

void ScriptRunner::requireOpen() const {
    if (surface().Parent().unloaded()) fail("la fenêtre est fermée");
}

toolkit::Surface& ScriptRunner::surface() const {
    if (target_.surface == nullptr) fail("il n'y a pas de contrôle : il n'a pas pu être créé");
    return *target_.surface;
}

toolkit::Control& ScriptRunner::control(const WidgetName& name) const {
    toolkit::Control* found = surface().find(name.name, name.index);
    if (found == nullptr) fail("l'écran n'a pas de widget " + name.shown());
    return *found;
}

template <class T>
T& ScriptRunner::controlAs(const WidgetName& name, std::string_view wanted) const {
    toolkit::Control& found = control(name);
    auto* taken = dynamic_cast<T*>(&found);
    if (taken == nullptr) {
        fail(name.shown() + " est un " + kindOf(found) + ", pas " + std::string(wanted));
    }
    return *taken;
}

template <class T>
T& ScriptRunner::actedOn(const WidgetName& name, std::string_view wanted) {
    T& widget = controlAs<T>(name, wanted);
    requireOpen();
    return widget;
}

void ScriptRunner::putCaretAtEnd(toolkit::EditableWidget& widget) {
    user_->selectText(widget, std::numeric_limits<int>::max(), 0);
}

void ScriptRunner::play(const TypeText& statement) {
    auto& widget = actedOn<toolkit::EditableWidget>(statement.widget,
                                                    "une zone de texte ou une liste modifiable");
    const std::size_t errorsBefore = errors_.size();
    userAction([&] { putCaretAtEnd(widget); });
    for (const toolkit::KeyCode key : statement.keys) {
        if (errors_.size() != errorsBefore) return;
        requireOpen();
        userAction([&] { user_->typeKey(widget, key); });
    }
}

void ScriptRunner::play(const PressKey& statement) {
    auto& widget = actedOn<toolkit::Widget>(statement.widget, "un widget");
    userAction([&] {
        if (statement.key == toolkit::kKeyTab) {
            user_->moveFocus(widget);
            user_->pressTab();
            return;
        }
        if (auto* editable = dynamic_cast<toolkit::EditableWidget*>(&widget)) {
            putCaretAtEnd(*editable);
        }
        user_->typeKey(widget, statement.key);
    });
}

void ScriptRunner::play(const MoveFocus& statement) {
    auto& widget = actedOn<toolkit::Widget>(statement.widget, "un widget");
    userAction([&] { user_->moveFocus(widget); });
}

void ScriptRunner::play(const ClickButton& statement) {
    auto& button = actedOn<toolkit::Button>(statement.widget, "un bouton");
    userAction([&] { user_->click(button); });
}

void ScriptRunner::play(const PickItem& statement) {
    auto& combo = actedOn<toolkit::ComboBox>(statement.widget, "une liste modifiable");
    userAction([&] { user_->pick(combo, statement.index); });
}

void ScriptRunner::play(const SelectItem& statement) {
    auto& list = actedOn<toolkit::ListBox>(statement.widget, "une liste");
    userAction([&] { user_->select(list, statement.index); });
}

void ScriptRunner::play(const DoubleClick& statement) {
    auto& list = actedOn<toolkit::ListBox>(statement.widget, "une liste");
    userAction([&] { user_->doubleClick(list); });
}

void ScriptRunner::play(const RightClick& statement) {
    if (!statement.widget) {
        requireOpen();
        userAction([&] { user_->rightClick(0, 0); });
        return;
    }
    auto& widget = actedOn<toolkit::Widget>(*statement.widget, "un widget");
    userAction([&] { user_->rightClick(widget); });
}

void ScriptRunner::play(const ChooseMenuEntry& statement) {
    auto& entry = actedOn<toolkit::MenuEntry>({statement.entry}, "une entrée de menu");
    userAction([&] { user_->chooseMenuEntry(entry); });
}

void ScriptRunner::play(const QueueAnswer& statement) {
    messages_.queue(statement.answer, playing_->line);
}

void ScriptRunner::play(const Expect& statement) {
    const std::optional<std::string> actual = read(statement.subject);
    if (actual != statement.value) {
        fail("attendu " + shown(statement.value) + ", obtenu " + shown(actual));
    }
}

void ScriptRunner::play(const ExpectError& statement) {
    if (errors_.empty()) fail("une erreur était attendue, mais aucune n'a atteint l'hôte");
    const std::string error = errors_.front();
    errors_.pop_front();
    if (statement.text && *statement.text != error) {
        fail("attendu l'erreur " + shown(statement.text) + ", obtenu " + shown(error));
    }
}

void ScriptRunner::play(const Dump&) {
    out_ << toolkit::dumpState(surface());
}

std::optional<std::string> ScriptRunner::read(const Subject& subject) {
    struct Reader {
        ScriptRunner& runner;
        std::optional<std::string> operator()(const PropertyOf& p) {
            return runner.readProperty(p);
        }
        std::optional<std::string> operator()(const LastMessageBox&) {
            return runner.messages_.takeLastShown();
        }
        std::optional<std::string> operator()(const ExitFlag&) { return runner.exitFlag(); }
        std::optional<std::string> operator()(const WindowClosed&) {
            return boolean(runner.surface().Parent().unloaded());
        }
        std::optional<std::string> operator()(const StoredRecord& r) {
            return runner.storedRecord(r);
        }
    };
    return std::visit(Reader{*this}, subject);
}

std::string ScriptRunner::readProperty(const PropertyOf& property) const {
    const WidgetName& name = property.widget;
    switch (property.property) {
        case Property::Text:
            return controlAs<toolkit::EditableWidget>(name,
                                                      "une zone de texte ou une liste modifiable")
                .Text();
        case Property::Enabled:
            return boolean(control(name).Enabled());
        case Property::Visible:
            return boolean(control(name).Visible());
        case Property::Focused:
            return boolean(controlAs<toolkit::Widget>(name, "un widget").hasFocus());
        default:
            break;
    }
    toolkit::Control& found = control(name);
    if (auto* combo = dynamic_cast<toolkit::ComboBox*>(&found))
        return itemProperty(*combo, property);
    if (auto* list = dynamic_cast<toolkit::ListBox*>(&found)) return itemProperty(*list, property);
    fail(name.shown() + " est un " + kindOf(found) + ", pas une liste modifiable ni une liste");
}

std::string ScriptRunner::exitFlag() const {
    if (target_.control == nullptr) fail("il n'y a pas de contrôle : il n'a pas pu être créé");
    std::vector<component::Variant> noArguments;
    try {
        const component::Variant flag = target_.control->invoke(
            controle_ostrevan::kW_Sortir, component::InvokeKind::PropertyGet, noArguments);
        return boolean(static_cast<bool>(component::asBoolean(flag)));
    } catch (const std::exception& error) {
        fail(std::string("W_Sortir ne peut pas être lu : ") + error.what());
    }
}

std::optional<std::string> ScriptRunner::storedRecord(const StoredRecord& record) const {
    try {
        return mvdb::toNotation(
            target_.database->OpenFile(record.file).ReadRecord(record.key).Extract());
    } catch (const platform::ComponentError& error) {
        if (error.number() == mvdb::kErrNoSuchRecord) return std::nullopt;
        fail(std::string("l'enregistrement ne peut pas être lu : ") + error.what());
    }
}

}  // namespace host
