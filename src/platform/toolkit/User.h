// The user's actions on a surface, as a person performs them with the keyboard and the mouse.
// The headless driver and the Qt views both act through this class, so that both obey one set of
// rules.
//
// - An action on a widget that is not usable (disabled, invisible, or inside a frame that is so),
//   or on a menu entry of a menu not shown, is refused: it throws
//   platform::ComponentError(kErrActionRefused) and nothing happens.
// - An action on a widget that can take the focus first moves the focus there (LostFocus on the
//   widget left runs first). When that handler leaves the widget unusable or sends the focus
//   elsewhere, the action ends there, as when a person's click is taken over.
// - Everything an action raises runs through Surface::deliver: an exception from a handler goes to
//   the host's error handler.
#pragma once

#include <string_view>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Keys.h"

namespace toolkit {

class Surface;
class EditableWidget;
class Button;
class ComboBox;
class ListBox;
class MenuEntry;

class User {
public:
    explicit User(Surface& surface) : surface_(surface) {}

    void moveFocus(Widget& widget);
    // Tab (Shift+Tab when backwards): the focus goes to the next widget in tab order. Tab is a
    // navigation key: it reaches no key-press handler.
    void pressTab(bool backwards = false);

    // One key in the widget: through its key-press handler, then the edit of its text (text and
    // combo boxes; see EditableWidget). On a button, Enter and Space press it; on a list box with
    // an item selected, Enter double-clicks it, as a list opens its current item.
    void typeKey(Widget& widget, KeyCode code);
    void pressDelete(EditableWidget& widget);
    void paste(EditableWidget& widget, std::string_view text);
    // Puts the caret (and selection) where the user clicked or moved it; raises nothing.
    void selectText(EditableWidget& widget, int start, int length);

    void click(Button& button);
    void pick(ComboBox& combo, int index);
    void select(ListBox& list, int index);
    void doubleClick(ListBox& list);

    // The right button on the surface itself, at a position in twips, or on a child widget.
    void rightClick(float x, float y);
    void rightClick(Widget& widget);
    // The menu key, or Shift+F10, wherever the focus is: the right button on the surface itself,
    // at its origin, so that the keyboard opens the surface's context menu as the mouse does.
    void pressMenuKey();
    void chooseMenuEntry(MenuEntry& entry);
    void dismissMenu();

private:
    void refuseUnusable(const Control& control) const;
    // Focuses the widget if it takes the focus; answers whether the action may go on.
    bool reach(Widget& widget);
    void act(Widget& widget, const auto& action);
    // The right button pressed where this mouse handler listens (button 2, no shift key).
    void pressRightButton(const Widget::MouseHandler& handler, float x, float y);

    Surface& surface_;
};

}  // namespace toolkit
