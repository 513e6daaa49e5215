#include "platform/toolkit/User.h"

#include <string>

#include "platform/toolkit/Button.h"
#include "platform/toolkit/ComboBox.h"
#include "platform/toolkit/ListBox.h"
#include "platform/toolkit/MenuEntry.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/ToolkitError.h"

namespace toolkit {
namespace {

void raise(const std::function<void()>& handler) {
    if (handler) handler();
}

[[noreturn]] void refuse(const Control& control, std::string_view why) {
    throw platform::ComponentError(kErrActionRefused, "Action refusée sur « " + control.Name() +
                                                          " » : " + std::string(why) + ".");
}

}  // namespace

void User::refuseUnusable(const Control& control) const {
    if (!control.isUsable()) refuse(control, "contrôle désactivé ou invisible");
}

bool User::reach(Widget& widget) {
    if (widget.takesFocus() && !widget.hasFocus()) {
        surface_.moveFocus(widget);
        return widget.hasFocus() && widget.isUsable();
    }
    return widget.isUsable();
}

void User::act(Widget& widget, const auto& action) {
    refuseUnusable(widget);
    surface_.closeMenu();
    surface_.deliver([&] {
        if (reach(widget)) action();
    });
}

void User::moveFocus(Widget& widget) {
    if (!widget.canTakeFocus()) refuse(widget, "il ne peut pas recevoir le focus");
    act(widget, [] {});
}

void User::pressTab(bool backwards) {
    surface_.closeMenu();
    Widget* next = surface_.nextInTabOrder(surface_.ActiveControl(), backwards);
    if (next != nullptr) surface_.deliver([&] { surface_.moveFocus(*next); });
}

void User::typeKey(Widget& widget, KeyCode code) {
    act(widget, [&] {
        if (auto* editable = dynamic_cast<EditableWidget*>(&widget)) {
            editable->typeKey(code);
        } else if (auto* button = dynamic_cast<Button*>(&widget);
                   button != nullptr && (code == kKeyEnter || code == kKeySpace)) {
            raise(button->onClick);
        } else if (auto* list = dynamic_cast<ListBox*>(&widget);
                   list != nullptr && code == kKeyEnter && list->ListIndex() >= 0) {
            raise(list->onDblClick);
        }
    });
}

void User::pressDelete(EditableWidget& widget) {
    act(widget, [&] { widget.pressDelete(); });
}

void User::paste(EditableWidget& widget, std::string_view text) {
    act(widget, [&] { widget.paste(text); });
}

void User::selectText(EditableWidget& widget, int start, int length) {
    act(widget, [&] { widget.SetSelection(start, length); });
}

void User::click(Button& button) {
    act(button, [&] { raise(button.onClick); });
}

void User::pick(ComboBox& combo, int index) {
    combo.items().check(index);
    act(combo, [&] { combo.SetListIndex(index); });
}

void User::select(ListBox& list, int index) {
    list.items().check(index);
    act(list, [&] { list.SetListIndex(index); });
}

void User::doubleClick(ListBox& list) {
    act(list, [&] { raise(list.onDblClick); });
}

void User::rightClick(float x, float y) {
    pressRightButton(surface_.onMouseDown, x, y);
}

void User::pressMenuKey() {
    pressRightButton(surface_.onMouseDown, 0, 0);
}

void User::rightClick(Widget& widget) {
    refuseUnusable(widget);
    pressRightButton(widget.onMouseDown, 0, 0);
}

void User::pressRightButton(const Widget::MouseHandler& handler, float x, float y) {
    surface_.closeMenu();
    surface_.deliver([&] {
        std::int16_t button = 2;
        std::int16_t shift = 0;
        if (handler) handler(button, shift, x, y);
    });
}

void User::chooseMenuEntry(MenuEntry& entry) {
    const MenuEntry* shown = surface_.shownMenu();
    if (shown == nullptr || entry.menu() != shown) refuse(entry, "son menu n'est pas affiché");
    refuseUnusable(entry);
    surface_.closeMenu();
    surface_.deliver([&] { raise(entry.onClick); });
}

void User::dismissMenu() {
    surface_.closeMenu();
}

}  // namespace toolkit
