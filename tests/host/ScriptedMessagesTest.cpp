// The message boxes of a headless run: each answered from the script's queued answers, and printed
// on one line with its answer.
#include <sstream>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "host/ScriptedMessages.h"
#include "platform/toolkit/ToolkitError.h"

namespace host {
namespace {

using toolkit::MsgAnswer;
using toolkit::MsgButtons;
using toolkit::MsgIcon;

toolkit::MessageRequest box(MsgButtons buttons, std::string text = "Voulez-vous ?") {
    return {std::move(text), "Message QUORVEL", MsgIcon::Question, buttons};
}

TEST(ScriptedMessagesTest, EachBoxPrintsOneLineWithItsAnswerAndTheLastIsReadOnce) {
    std::ostringstream out;
    ScriptedMessages messages{out};
    EXPECT_FALSE(messages.takeLastShown().has_value());
    messages.queue(ScriptAnswer::No, 4);
    messages.ask(box(MsgButtons::YesNoCancel, "Voulez-vous enregistrer les modifications ?"));
    messages.ask({"Code inconnu", "Message Quorvel", MsgIcon::Exclamation, MsgButtons::Ok});
    messages.queue(ScriptAnswer::Close, 5);
    EXPECT_EQ(test_support::failureOf([&] { messages.ask(box(MsgButtons::YesNo)); }).number(),
              toolkit::kErrMessageBox);
    EXPECT_EQ(out.str(),
              "MSGBOX Message QUORVEL | Question | YesNoCancel | Voulez-vous enregistrer les "
              "modifications ? -> No\n"
              "MSGBOX Message Quorvel | Exclamation | OK | Code inconnu -> OK\n"
              "MSGBOX Message QUORVEL | Question | YesNo | Voulez-vous ? -> (unanswered)\n");
    // The last box shown, read once by an expectation, is then forgotten.
    EXPECT_EQ(messages.takeLastShown(), "Voulez-vous ?");
    EXPECT_FALSE(messages.takeLastShown().has_value());
}

// An OK box takes an OK or Close from the front of the queue and otherwise leaves it; a box that
// asks takes the front answer, Close as Cancel, and fails without one or with one it does not
// offer, which is then used up.
TEST(ScriptedMessagesTest, BoxesTakeTheAnswersTheyOfferFromTheFrontOfTheQueue) {
    std::ostringstream out;
    ScriptedMessages messages{out};
    const struct {
        std::vector<std::pair<ScriptAnswer, int>> queued;
        MsgButtons buttons;
        std::optional<MsgAnswer> answer;  // nullopt: refused
        std::optional<int> unusedLine;
    } steps[] = {
        {{{ScriptAnswer::Yes, 3}}, MsgButtons::Ok, MsgAnswer::Ok, 3},
        {{}, MsgButtons::YesNo, MsgAnswer::Yes, std::nullopt},
        {{{ScriptAnswer::Close, 7}, {ScriptAnswer::Ok, 8}}, MsgButtons::Ok, MsgAnswer::Ok, 8},
        {{}, MsgButtons::Ok, MsgAnswer::Ok, std::nullopt},
        {{{ScriptAnswer::Close, 1}}, MsgButtons::YesNoCancel, MsgAnswer::Cancel, std::nullopt},
        {{{ScriptAnswer::Close, 2}}, MsgButtons::YesNo, std::nullopt, std::nullopt},
        {{}, MsgButtons::YesNo, std::nullopt, std::nullopt},
        {{{ScriptAnswer::Cancel, 1}}, MsgButtons::YesNo, std::nullopt, std::nullopt},
        {{{ScriptAnswer::Ok, 2}}, MsgButtons::YesNoCancel, std::nullopt, std::nullopt},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        for (const auto& [answer, line] : steps[i].queued)
            messages.queue(answer, line);
        std::optional<MsgAnswer> answer;
        const auto failure =
            test_support::failureOf([&] { answer = messages.ask(box(steps[i].buttons)); });
        EXPECT_EQ(answer, steps[i].answer) << "step " << i;
        EXPECT_EQ(failure.number(), answer ? 0 : toolkit::kErrMessageBox) << "step " << i;
        EXPECT_EQ(messages.unusedAnswerLine(), steps[i].unusedLine) << "step " << i;
    }
}

}  // namespace
}  // namespace host
