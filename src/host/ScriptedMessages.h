// The headless message service: message boxes answered from the answers that a script queues.
//
// Every box shown prints one line on the output:
//   MSGBOX title | icon | buttons | text -> answer
// An OK box is answered OK; it takes a queued OK or Close from the front of the queue when there
// is one, and leaves the queue as it is otherwise. A box that asks (Yes/No, Yes/No/Cancel) takes
// the front answer; Close closes it without a choice, which answers Cancel, and which a Yes/No box
// refuses. A box that asks with no answer queued, or an answer that the box does not offer, fails
// with toolkit::kErrMessageBox: the error reaches the host through the running action, and the
// line then prints "-> (unanswered)".
#pragma once

#include <deque>
#include <optional>
#include <ostream>
#include <string>

#include "host/Script.h"
#include "platform/toolkit/MessageBox.h"

namespace host {

class ScriptedMessages : public toolkit::MessageService {
public:
    explicit ScriptedMessages(std::ostream& out) : out_(out) {}

    // The answer of the script's line, for the next box that takes one.
    void queue(ScriptAnswer answer, int line) { answers_.push_back({answer, line}); }

    toolkit::MsgAnswer ask(const toolkit::MessageRequest& request) override;

    // The text of the last box shown since the previous call; nullopt when none was shown.
    std::optional<std::string> takeLastShown();
    // The line of the first answer that no box took; nullopt when every answer was taken.
    std::optional<int> unusedAnswerLine() const;

private:
    struct Queued {
        ScriptAnswer answer;
        int line;
    };

    toolkit::MsgAnswer answerOkBox();
    toolkit::MsgAnswer answerAskingBox(const toolkit::MessageRequest& request);

    std::ostream& out_;
    std::deque<Queued> answers_;
    std::optional<std::string> lastShown_;
};

}  // namespace host
