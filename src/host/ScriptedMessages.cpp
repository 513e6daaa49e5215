#include "host/ScriptedMessages.h"

#include <utility>

#include "platform/toolkit/ToolkitError.h"

namespace host {
namespace {

using toolkit::MsgAnswer;
using toolkit::MsgButtons;

std::string_view iconName(toolkit::MsgIcon icon) {
    switch (icon) {
        case toolkit::MsgIcon::None:
            return "None";
        case toolkit::MsgIcon::Exclamation:
            return "Exclamation";
        case toolkit::MsgIcon::Question:
            return "Question";
    }
    return "";
}

std::string_view buttonsName(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return "OK";
        case MsgButtons::YesNo:
            return "YesNo";
        case MsgButtons::YesNoCancel:
            return "YesNoCancel";
    }
    return "";
}

[[noreturn]] void refuse(const std::string& problem, const toolkit::MessageRequest& request) {
    throw platform::ComponentError(toolkit::kErrMessageBox,
                                   problem + " pour la boîte de message « " + request.text + " »");
}

// The button that a queued answer stands for on a box that asks.
MsgAnswer chosenButton(ScriptAnswer answer, const toolkit::MessageRequest& request) {
    switch (answer) {
        case ScriptAnswer::Yes:
            return MsgAnswer::Yes;
        case ScriptAnswer::No:
            return MsgAnswer::No;
        case ScriptAnswer::Cancel:
            return MsgAnswer::Cancel;
        case ScriptAnswer::Ok:
            return MsgAnswer::Ok;
        case ScriptAnswer::Close:
            if (request.buttons == MsgButtons::YesNo)
                refuse("Close : elle ne peut pas être fermée", request);
            return MsgAnswer::Cancel;
    }
    return MsgAnswer::Cancel;
}

}  // namespace

MsgAnswer ScriptedMessages::ask(const toolkit::MessageRequest& request) {
    lastShown_ = request.text;
    out_ << "MSGBOX " << request.title << " | " << iconName(request.icon) << " | "
         << buttonsName(request.buttons) << " | " << request.text << " -> ";
    try {
        const MsgAnswer answer =
            request.buttons == MsgButtons::Ok ? answerOkBox() : answerAskingBox(request);
        out_ << toolkit::answerName(answer) << '\n';
        return answer;
    } catch (...) {
        out_ << "(unanswered)\n";
        throw;
    }
}

MsgAnswer ScriptedMessages::answerOkBox() {
    if (!answers_.empty() && (answers_.front().answer == ScriptAnswer::Ok ||
                              answers_.front().answer == ScriptAnswer::Close)) {
        answers_.pop_front();
    }
    return MsgAnswer::Ok;
}

MsgAnswer ScriptedMessages::answerAskingBox(const toolkit::MessageRequest& request) {
    if (answers_.empty()) refuse("aucune réponse attendue", request);
    const ScriptAnswer queued = answers_.front().answer;
    answers_.pop_front();
    const MsgAnswer answer = chosenButton(queued, request);
    if (!toolkit::offers(request.buttons, answer)) {
        refuse("la réponse " + std::string(toolkit::answerName(answer)) +
                   " n'est pas un de ses boutons",
               request);
    }
    return answer;
}

std::optional<std::string> ScriptedMessages::takeLastShown() {
    return std::exchange(lastShown_, std::nullopt);
}

std::optional<int> ScriptedMessages::unusedAnswerLine() const {
    if (answers_.empty()) return std::nullopt;
    return answers_.front().line;
}

}  // namespace host
