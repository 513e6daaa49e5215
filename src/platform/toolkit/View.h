// What a view of the widgets (the Qt one) is told when a model changes.
//
// The models call their view after each change of state, whoever made it (the program or the
// user), naming the aspect that changed, as an item model names the roles of its changed rows; a
// view redraws that aspect only and never calls back into the model from these notifications.
#pragma once

namespace toolkit {

class Widget;
class MenuEntry;

// The parts of a widget's state that a view shows. Focus: the widget gained or lost the focus.
// Accessibility: what assistive technology says of the widget.
enum class Aspect {
    Text,
    Caption,
    Selection,
    TextSelection,
    Enabled,
    Visible,
    Focus,
    Accessibility
};

// A change of the items of a combo box or list box.
struct ItemChange {
    enum Kind { Appended, Replaced, Removed, Cleared };
    Kind kind;
    int index;  // the item replaced or removed, the last one appended; -1 for Cleared
};

class ControlView {
public:
    virtual ~ControlView() = default;
    virtual void aspectChanged(Aspect aspect) = 0;
    virtual void itemsChanged(const ItemChange&) {}
};

class SurfaceView {
public:
    virtual ~SurfaceView() = default;
    // The focus moved to this widget, or left every widget (nullptr).
    virtual void focusMoved(Widget* focused) = 0;
    // The program asked for this menu to be shown as a pop-up at the pointer.
    virtual void menuShown(MenuEntry& menu) = 0;
};

}  // namespace toolkit
