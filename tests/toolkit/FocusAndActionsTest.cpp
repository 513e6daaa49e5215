// Focus, tab order and the user's actions: what a person can reach, what is refused, and where
// the errors of handlers go; message boxes, the pop-up menu and the container window.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/toolkit/Button.h"
#include "platform/toolkit/Frame.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/MenuEntry.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/TextBox.h"
#include "platform/toolkit/ToolkitError.h"
#include "platform/toolkit/User.h"

namespace {

using namespace toolkit;
using Events = std::vector<std::string>;

using test_support::errorNumberOf;

class FocusAndActionsTest : public ::testing::Test {
protected:
    FocusAndActionsTest() {
        for (TextBox* box : {&first, &inside})
            box->onLostFocus = [this, box] { events.push_back("lost:" + box->Name()); };
        ok.onClick = [&] { events.push_back("click"); };
    }

    Surface surface{9000, 3000};
    User user{surface};
    TextBox& first = surface.add<TextBox>(Placement{"Txt_Premier", -1, nullptr, {}, 0});
    Label& label = surface.add<Label>(Placement{"Etq_Titre", -1, nullptr, {}, 1}, "Titre");
    Frame& frame = surface.add<Frame>(Placement{"Cdr_Cadre", -1, nullptr, {}, 5}, "Cadre");
    TextBox& inside = surface.add<TextBox>(Placement{"Txt_Dedans", -1, &frame, {}, 3});
    Button& ok = surface.add<Button>(Placement{"Cmd_Ok", -1, nullptr, {}, 2}, "OK");
    ListBox& list = surface.add<ListBox>(Placement{"Lst_Lignes", -1, &frame, {}, 4});
    Events events;
};

TEST_F(FocusAndActionsTest, LostFocusIsRaisedOnTheWidgetLeftAlsoWhenItBecomesUnusable) {
    first.SetFocus();
    first.SetFocus();
    inside.SetFocus();
    EXPECT_TRUE(inside.hasFocus());
    frame.SetEnabled(false);
    EXPECT_EQ(surface.ActiveControl(), nullptr);
    EXPECT_EQ(events, (Events{"lost:Txt_Premier", "lost:Txt_Dedans"}));
}

TEST_F(FocusAndActionsTest, AnActionThatLeavesTheFocusNowherePassesItOnUnlessAHandlerSetsIt) {
    ok.onClick = [&] { ok.SetEnabled(false); };
    user.click(ok);
    EXPECT_TRUE(inside.hasFocus());  // after Cmd_Ok in tab order
    ok.SetEnabled(true);
    ok.onClick = [&] {
        ok.SetEnabled(false);
        first.SetFocus();
    };
    user.click(ok);
    EXPECT_TRUE(first.hasFocus());
    EXPECT_EQ(events, (Events{"lost:Txt_Dedans"}));  // passing the focus on raises nothing
}

TEST_F(FocusAndActionsTest, SetFocusFailsOnWhatCannotTakeTheFocus) {
    EXPECT_EQ(errorNumberOf([&] { label.SetFocus(); }), kErrCannotFocus);
    frame.SetEnabled(false);
    EXPECT_TRUE(inside.Enabled());
    EXPECT_EQ(errorNumberOf([&] { inside.SetFocus(); }), kErrCannotFocus);
    first.SetVisible(false);
    EXPECT_EQ(errorNumberOf([&] { first.SetFocus(); }), kErrCannotFocus);
    EXPECT_EQ(surface.ActiveControl(), nullptr);
}

TEST_F(FocusAndActionsTest, TabFollowsTheTabIndexesOverWhatCanTakeTheFocus) {
    const auto tabs = [&](int count, bool backwards) {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            user.pressTab(backwards);
            names.push_back(surface.ActiveControl()->Name());
        }
        return names;
    };
    EXPECT_EQ(tabs(5, false),
              (Events{"Txt_Premier", "Cmd_Ok", "Txt_Dedans", "Lst_Lignes", "Txt_Premier"}));
    EXPECT_EQ(tabs(2, true), (Events{"Lst_Lignes", "Txt_Dedans"}));
    inside.setTabStop(false);
    frame.SetEnabled(false);
    first.SetFocus();
    EXPECT_EQ(tabs(2, false), (Events{"Cmd_Ok", "Txt_Premier"}));
}

TEST_F(FocusAndActionsTest, ActionsOnUnusableWidgetsAreRefusedAndRaiseNothing) {
    ok.SetEnabled(false);
    EXPECT_EQ(errorNumberOf([&] { user.click(ok); }), kErrActionRefused);
    frame.SetEnabled(false);
    EXPECT_EQ(errorNumberOf([&] { user.typeKey(inside, '1'); }), kErrActionRefused);
    list.AddItem("ligne");
    EXPECT_EQ(errorNumberOf([&] { user.doubleClick(list); }), kErrActionRefused);
    EXPECT_EQ(errorNumberOf([&] { user.moveFocus(label); }), kErrActionRefused);
    EXPECT_EQ(inside.Text(), "");
    EXPECT_TRUE(events.empty());
}

TEST_F(FocusAndActionsTest, AnActionFirstMovesTheFocusAndStopsWhenTheFocusIsTakenBack) {
    first.SetFocus();
    user.click(ok);
    EXPECT_EQ(events, (Events{"lost:Txt_Premier", "click"}));
    events.clear();
    first.SetFocus();
    first.onLostFocus = [&] { first.SetFocus(); };
    user.click(ok);
    user.typeKey(label, '1');  // a label takes no focus, and no key
    EXPECT_TRUE(first.hasFocus());
    EXPECT_TRUE(events.empty());
}

TEST_F(FocusAndActionsTest, EnterOpensTheSelectedLineOfAListAsADoubleClickDoes) {
    list.onDblClick = [&] { events.push_back("dblclick:" + std::to_string(list.ListIndex())); };
    list.AddItem("une");
    list.AddItem("deux");
    user.typeKey(list, kKeyEnter);
    EXPECT_TRUE(list.hasFocus());
    user.select(list, 1);
    user.typeKey(list, kKeySpace);
    EXPECT_TRUE(events.empty());
    user.typeKey(list, kKeyEnter);
    EXPECT_EQ(events, (Events{"dblclick:1"}));
}

TEST_F(FocusAndActionsTest, ErrorsOfHandlersGoToTheHostAndEndTheAction) {
    std::vector<std::string> reported;
    surface.setErrorHandler([&](const std::exception& error) { reported.push_back(error.what()); });
    first.onKeyPress = [](KeyCode&) { throw std::runtime_error("lecture impossible"); };
    user.typeKey(first, '1');
    EXPECT_EQ(reported, (Events{"lecture impossible"}));
    EXPECT_EQ(first.Text(), "");
}

TEST_F(FocusAndActionsTest, ARightClickReachesTheSurfaceOrTheChildButNotBoth) {
    std::vector<std::string> downs;
    surface.onMouseDown = [&](std::int16_t& button, std::int16_t&, float& x, float&) {
        downs.push_back("surface " + std::to_string(button) + " " + std::to_string(int(x)));
    };
    first.onMouseDown = [&](std::int16_t& button, std::int16_t&, float&, float&) {
        downs.push_back("child " + std::to_string(button));
    };
    user.rightClick(450, 30);
    user.rightClick(first);
    user.rightClick(ok);
    EXPECT_EQ(downs, (Events{"surface 2 450", "child 2"}));
}

TEST_F(FocusAndActionsTest, AMenuEntryCanBeChosenOnlyWhileItsMenuIsShown) {
    MenuEntry& menu = surface.add<MenuEntry>("Mnu_Aide", "Aide");
    MenuEntry& entry = surface.add<MenuEntry>("Mnu_Sommaire", "Sommaire", &menu);
    int chosen = 0;
    entry.onClick = [&] { ++chosen; };
    EXPECT_EQ(errorNumberOf([&] { user.chooseMenuEntry(entry); }), kErrActionRefused);
    surface.PopupMenu(menu);
    user.chooseMenuEntry(entry);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(surface.shownMenu(), nullptr);
    surface.PopupMenu(menu);
    user.click(ok);  // a click elsewhere dismisses the menu
    EXPECT_EQ(errorNumberOf([&] { user.chooseMenuEntry(entry); }), kErrActionRefused);
    surface.PopupMenu(menu);
    entry.SetEnabled(false);
    EXPECT_EQ(errorNumberOf([&] { user.chooseMenuEntry(entry); }), kErrActionRefused);
    EXPECT_EQ(chosen, 1);
}

class ScriptedAnswers : public MessageService {
public:
    MsgAnswer ask(const MessageRequest&) override { return answer; }
    MsgAnswer answer = MsgAnswer::Cancel;
};

TEST_F(FocusAndActionsTest, MessageBoxesGoThroughTheHostAndOnlyTheirOwnButtonsAnswer) {
    const MessageRequest question{"Voulez-vous enregistrer les modifications ?", "Message QUORVEL",
                                  MsgIcon::Question, MsgButtons::YesNoCancel, 0};
    EXPECT_EQ(errorNumberOf([&] { surface.MsgBox(question); }), kErrMessageBox);
    ScriptedAnswers answers;
    surface.setMessageService(&answers);
    EXPECT_EQ(surface.MsgBox(question), MsgAnswer::Cancel);
    const MessageRequest notice{"Cette rubrique n'est pas disponible.", "Message QUORVEL",
                                MsgIcon::Exclamation, MsgButtons::Ok, 0};
    EXPECT_EQ(errorNumberOf([&] { surface.MsgBox(notice); }), kErrMessageBox);
}

TEST_F(FocusAndActionsTest, TheContainerWindowTellsTheHostOnceWhenUnloaded) {
    int closed = 0;
    surface.Parent().onUnload = [&] { ++closed; };
    surface.Parent().Unload();
    surface.Parent().Unload();
    EXPECT_TRUE(surface.Parent().unloaded());
    EXPECT_EQ(closed, 1);
}

}  // namespace
