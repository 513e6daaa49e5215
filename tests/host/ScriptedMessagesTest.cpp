#include <sstream>

#include <gtest/gtest.h>

#include "host/ScriptedMessages.h"
#include "platform/toolkit/ToolkitError.h"

namespace host {
namespace {

using toolkit::MsgAnswer;
using toolkit::MsgButtons;
using toolkit::MsgIcon;

class ScriptedMessagesTest : public ::testing::Test {
protected:
    static toolkit::MessageRequest box(MsgButtons buttons, std::string text = "Voulez-vous ?") {
        return {std::move(text), "Message QUORVEL", MsgIcon::Question, buttons};
    }

    // The number of the error that asking throws; 0 when it answers.
    int refusal(MsgButtons buttons) {
        try {
            messages.ask(box(buttons));
        } catch (const toolkit::ToolkitError& error) {
            return error.number();
        }
        return 0;
    }

    std::ostringstream out;
    ScriptedMessages messages{out};
};

TEST_F(ScriptedMessagesTest, EachBoxPrintsOneLineWithItsAnswer) {
    messages.queue(ScriptAnswer::No, 4);
    messages.ask(box(MsgButtons::YesNoCancel, "Voulez-vous enregistrer les modifications ?"));
    messages.ask({"Code inconnu", "Message Quorvel", MsgIcon::Exclamation, MsgButtons::Ok});
    EXPECT_EQ(out.str(),
              "MSGBOX Message QUORVEL | Question | YesNoCancel | Voulez-vous enregistrer les "
              "modifications ? -> No\n"
              "MSGBOX Message Quorvel | Exclamation | OK | Code inconnu -> OK\n");
}

TEST_F(ScriptedMessagesTest, AnOkBoxTakesOnlyAnOkOrCloseFromTheFront) {
    messages.queue(ScriptAnswer::Yes, 3);
    EXPECT_EQ(messages.ask(box(MsgButtons::Ok)), MsgAnswer::Ok);
    EXPECT_EQ(messages.unusedAnswerLine(), 3);  // left for the box that asks
    EXPECT_EQ(messages.ask(box(MsgButtons::YesNo)), MsgAnswer::Yes);

    messages.queue(ScriptAnswer::Close, 7);
    messages.queue(ScriptAnswer::Ok, 8);
    EXPECT_EQ(messages.ask(box(MsgButtons::Ok)), MsgAnswer::Ok);
    EXPECT_EQ(messages.unusedAnswerLine(), 8);
    EXPECT_EQ(messages.ask(box(MsgButtons::Ok)), MsgAnswer::Ok);
    EXPECT_FALSE(messages.unusedAnswerLine().has_value());
}

TEST_F(ScriptedMessagesTest, CloseCancelsABoxThatHasCancelAndIsRefusedByAYesNoBox) {
    messages.queue(ScriptAnswer::Close, 1);
    EXPECT_EQ(messages.ask(box(MsgButtons::YesNoCancel)), MsgAnswer::Cancel);
    messages.queue(ScriptAnswer::Close, 2);
    EXPECT_EQ(refusal(MsgButtons::YesNo), toolkit::kErrMessageBox);
    EXPECT_NE(out.str().find("YesNo | Voulez-vous ? -> (unanswered)\n"), std::string::npos);
}

TEST_F(ScriptedMessagesTest, ABoxThatAsksFailsWithoutAnAnswerOrWithOneItDoesNotOffer) {
    EXPECT_EQ(refusal(MsgButtons::YesNo), toolkit::kErrMessageBox);
    messages.queue(ScriptAnswer::Cancel, 1);
    EXPECT_EQ(refusal(MsgButtons::YesNo), toolkit::kErrMessageBox);
    messages.queue(ScriptAnswer::Ok, 2);
    EXPECT_EQ(refusal(MsgButtons::YesNoCancel), toolkit::kErrMessageBox);
    EXPECT_FALSE(messages.unusedAnswerLine().has_value());  // a refused answer is used up
}

TEST_F(ScriptedMessagesTest, TheLastBoxShownIsForgottenOnceTaken) {
    EXPECT_FALSE(messages.takeLastShown().has_value());
    messages.ask(box(MsgButtons::Ok, "premier"));
    messages.ask(box(MsgButtons::Ok, "second"));
    EXPECT_EQ(messages.takeLastShown(), "second");
    EXPECT_FALSE(messages.takeLastShown().has_value());
}

}  // namespace
}  // namespace host
