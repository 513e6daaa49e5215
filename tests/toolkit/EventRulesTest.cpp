// The event rules of the widget models: when Change and Click are raised and what a key does. The
// chains that a code box and its list run through each other are the rubric selector's, tested
// with it.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/toolkit/ComboBox.h"
#include "platform/toolkit/ItemList.h"
#include "platform/toolkit/Label.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/TextBox.h"
#include "platform/toolkit/ToolkitError.h"
#include "platform/toolkit/User.h"

namespace {

using namespace toolkit;
using Events = std::vector<std::string>;

using test_support::errorNumberOf;

class EventRulesTest : public ::testing::Test {
protected:
    void type(Widget& widget, std::string_view keys) {
        for (const char key : keys)
            user.typeKey(widget, static_cast<KeyCode>(key));
    }

    Surface surface{9000, 3000};
    User user{surface};
    TextBox& box = surface.add<TextBox>(Placement{"Txt_Code", -1, nullptr, {0, 0, 375, 315}, 0});
    ComboBox& combo =
        surface.add<ComboBox>(Placement{"Cbo_Liste", -1, nullptr, {400, 0, 2000, 315}, 1});
    ListBox& list =
        surface.add<ListBox>(Placement{"Lst_Lignes", -1, nullptr, {0, 400, 2000, 900}, 2});
    Events events;
};

// What KeyPress makes of a key, and the text written by SetText, are the window tests' and the
// screen's; here, a key that leaves the text as it was.
TEST_F(EventRulesTest, AKeyRaisesChangeOnlyWhenItChangesTheText) {
    box.SetText("123");
    box.onChange = [&] { events.push_back("change:" + box.Text()); };
    user.selectText(box, 1, 1);
    type(box, "2");  // the same character over its own selection
    user.typeKey(box, kKeyEnter);
    type(box, "4");
    EXPECT_EQ(events, (Events{"change:1243"}));  // a key that changes it does
}

TEST_F(EventRulesTest, TypingRespectsTheMaximumLengthTheSelectionAndWholeCharacters) {
    box.SetMaxLength(3);
    type(box, "1234");
    EXPECT_EQ(box.Text(), "123");
    user.selectText(box, 1, 2);
    type(box, "9");
    EXPECT_EQ(box.Text(), "19");
    box.SetMaxLength(0);
    box.SetText("été");
    user.selectText(box, 3, 0);
    user.typeKey(box, kKeyBackspace);
    EXPECT_EQ(box.Text(), "ét");
    user.typeKey(box, static_cast<KeyCode>(0xE0));  // à
    EXPECT_EQ(box.Text(), "étà");
    user.paste(box, "ô!");
    EXPECT_EQ(box.Text(), "étàô!");
    EXPECT_EQ(box.SelStart(), 5);
}

TEST_F(EventRulesTest,
       AComboIndexSetsItsTextWithoutChangeClicksOnlyWhenItDiffersAndClearingChangesOnlyAText) {
    for (const char* label : {"Heures normales", "Heures de nuit"})
        combo.AddItem(label);
    combo.onChange = [&] { events.push_back("change"); };
    combo.onClick = [&] { events.push_back("click:" + combo.Text()); };
    combo.SetListIndex(1);
    combo.SetListIndex(1);
    combo.SetListIndex(-1);
    EXPECT_EQ(events, (Events{"click:Heures de nuit", "click:"}));
    EXPECT_EQ(errorNumberOf([&] { combo.SetListIndex(2); }), kErrBadItemIndex);
    EXPECT_EQ(errorNumberOf([&] { combo.SetListIndex(-2); }), kErrBadItemIndex);

    // A text other than the selected item's leaves no selection, without Click.
    combo.SetListIndex(0);
    events.clear();
    combo.SetText("Heures normales");
    EXPECT_EQ(combo.ListIndex(), 0);
    combo.SetText("Heures de nuit");  // another item's text selects nothing
    EXPECT_EQ(combo.ListIndex(), -1);
    combo.SetListIndex(0);
    events.clear();
    user.selectText(combo, 100, 0);
    user.typeKey(combo, kKeyBackspace);
    EXPECT_EQ(combo.Text(), "Heures normale");
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(events, (Events{"change"}));
    user.pick(combo, 1);
    EXPECT_EQ(combo.SelLength(), 14);  // a chosen item's text stands selected: one key erases it

    // Clearing empties the items and the text, raising Change only if there was a text.
    events.clear();
    combo.Clear();
    combo.AddItem("Heures normales");
    combo.Clear();  // items, but no text
    EXPECT_EQ(events, (Events{"change"}));
    EXPECT_EQ(combo.ListCount(), 0);
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(combo.NewIndex(), -1);
}

TEST_F(EventRulesTest, AListKeepsItsSelectionOnTheSameItemWhenAnotherIsRemoved) {
    for (const char* line : {"a", "b", "c"})
        list.AddItem(line);
    EXPECT_EQ(list.NewIndex(), 2);
    list.onClick = [&] { events.push_back("click"); };
    user.select(list, 2);
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(list.List(1), "c");
    list.RemoveItem(1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(events.size(), 1u);
    EXPECT_EQ(errorNumberOf([&] { list.RemoveItem(5); }), kErrBadItemIndex);
}

TEST_F(EventRulesTest, AListWithColumnsReadsEachItemByItsHeadingsLeavingBlankColumnsOut) {
    list.AddItem("  un   ");
    EXPECT_EQ(list.spokenItem(0), "un");
    // Widths count characters: « é » is two bytes. A column may say its text otherwise.
    const auto asCode = [](std::string_view text) { return "code " + std::string(text); };
    list.setColumns({{"Nom", 6, {}}, {"Vide", 4, {}}, {"Fériés", 5, asCode}});
    list.AddItem(
        "Zoé   "
        "    "
        "107  "
        "reste ");
    list.AddItem("Zoé");
    EXPECT_EQ(list.spokenItem(1), "Nom Zoé, Fériés code 107, reste");
    EXPECT_EQ(list.spokenItem(2), "Nom Zoé");
    EXPECT_EQ(list.List(1), "Zoé       107  reste ");
}

// Lists filled with the same items share them: whatever one of them does, the other keeps its
// items and its selection, and the one that acted shows what it did.
TEST_F(EventRulesTest, ListsFilledWithTheSameItemsEachChangeAlone) {
    ItemList items;
    items.append("Heures normales", 101);
    items.append("Heures de nuit", 102);
    ListBox& other =
        surface.add<ListBox>(Placement{"Lst_Autre", -1, nullptr, {0, 1000, 2000, 900}, 3});
    const std::string shared = "Heures normales,101;Heures de nuit,102;";
    const auto shown = [](const ListBox& box) {
        std::string texts;
        for (int i = 0; i < box.ListCount(); ++i)
            texts += std::string(box.List(i)) + "," + std::to_string(box.ItemData(i)) + ";";
        return texts + (box.ListIndex() < 0 ? "" : "@" + std::to_string(box.ListIndex()));
    };
    const std::vector<std::pair<std::function<void()>, std::string>> actions = {
        {[&] { list.SetListIndex(1); }, shared + "@1"},
        {[&] { list.SetItemData(0, 7); }, "Heures normales,7;Heures de nuit,102;"},
        {[&] { list.SetList(1, "Heures du soir"); }, "Heures normales,101;Heures du soir,102;"},
        {[&] { list.RemoveItem(0); }, "Heures de nuit,102;"},
        {[&] { list.AddItem("Astreinte"); }, shared + "Astreinte,0;"},
        {[&] { list.addItems(list.items()); }, shared + shared},
        {[&] { list.Clear(); }, ""},
    };
    for (const auto& [action, expected] : actions) {
        list.Clear();
        other.Clear();
        list.addItems(items);
        other.addItems(items);
        other.SetListIndex(0);
        action();
        EXPECT_EQ(shown(list), expected);
        EXPECT_EQ(shown(other), shared + "@0") << "after " << expected;
    }
}

TEST_F(EventRulesTest, MembersAKindLacksFailByNameAndChangeNothing) {
    Label& label = surface.add<Label>(Placement{"Etq_Titre", -1, nullptr, {}, 3}, "Titre");
    Control& byName = *surface.find("Etq_Titre");
    EXPECT_EQ(errorNumberOf([&] { byName.SetText("x"); }), kErrNoSuchMember);
    EXPECT_EQ(errorNumberOf([&] { byName.SetListIndex(-1); }), kErrNoSuchMember);
    EXPECT_EQ(errorNumberOf([&] { byName.Clear(); }), kErrNoSuchMember);
    EXPECT_EQ(errorNumberOf([&] { surface.find("Txt_Code")->SetListIndex(-1); }), kErrNoSuchMember);
    EXPECT_EQ(label.Caption(), "Titre");
    EXPECT_EQ(surface.find("Etq_Absent"), nullptr);
}

}  // namespace
