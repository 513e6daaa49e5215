// Widget models: the state of every widget of a screen and the rules of their events.
//
// A Control is anything in a surface's collection of controls: a widget or a menu entry. Each has
// a Name (and an Index when it belongs to a control array), an Enabled and a Visible state, and
// the late-bound members Text, ListIndex and Clear that a caller walking the collection may use
// by name: on a kind that lacks one they throw platform::ComponentError(kErrNoSuchMember) and
// change nothing.
//
// A Widget is a control placed on the surface, directly or inside a frame: it has a geometry in
// twips, a tab index, a tab stop and a font, and may take the focus. A widget is usable (the user
// can act on it, and it can take the focus when its kind does) only while it is enabled and
// visible and so is every container around it.
//
// Event rules, shared by every view: handlers are plain callbacks that run synchronously, nested
// in the call that raised them; an exception from a handler passes through that call unchanged.
// A model raises an event only when its value really changes (see each kind).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/toolkit/Geometry.h"
#include "platform/toolkit/View.h"

namespace toolkit {

class Surface;
class Frame;

enum class ControlKind { Label, TextBox, ComboBox, ListBox, Button, Frame, MenuEntry };

// The kind's name as the screen dumps print it: "label", "textbox", "combobox" ...
std::string_view kindName(ControlKind kind);

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    ControlKind kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    // The control's index in its control array; -1 when it belongs to none.
    int Index() const { return index_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    virtual std::string Text() const;
    virtual void SetText(std::string_view text);
    virtual int ListIndex() const;
    virtual void SetListIndex(int index);
    virtual void Clear();

    // Whether the user can act on the control now.
    virtual bool isUsable() const = 0;

    void setView(ControlView* view) { view_ = view; }

protected:
    Control(Surface& surface, ControlKind kind, std::string name, int index);

    void show(Aspect aspect) const;
    void showItems(const ItemChange& change) const;
    [[noreturn]] void lacks(std::string_view member) const;

    Surface& surface_;

private:
    ControlKind kind_;
    std::string name_;
    int index_;
    bool enabled_ = true;
    bool visible_ = true;
    ControlView* view_ = nullptr;
};

// Enables or disables each control, in the order given.
void setEnabled(std::initializer_list<Control*> controls, bool enabled);

// What assistive technology (a screen reader) says of a widget: its name, and a description that
// tells it from a widget of the same name. An empty name leaves the name that the widget's kind
// shows (a caption). A widget that is not announced, a decoration, is left out of what it reads.
struct Accessibility {
    std::string name;
    std::string description;
    bool announced = true;
};

// Where a widget is created: its name (and index in a control array), its container (nullptr for
// the surface itself), its geometry in twips and its tab index.
struct Placement {
    std::string name;
    int index = -1;
    Frame* container = nullptr;
    Rect geometry;
    int tabIndex = 0;
};

class Widget : public Control {
public:
    // Mouse button pressed on the widget: button (1 left, 2 right, 4 middle), shift state and
    // position in twips, each passed by reference.
    using MouseHandler = std::function<void(std::int16_t&, std::int16_t&, float&, float&)>;

    Frame* container() const { return container_; }
    const Rect& geometry() const { return geometry_; }
    int tabIndex() const { return tabIndex_; }
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool tabStop) { tabStop_ = tabStop; }
    const Font& font() const { return font_; }
    void setFont(Font font) { font_ = std::move(font); }
    const Accessibility& accessibility() const { return accessibility_; }
    // Names the widget for assistive technology, with a description when one is given.
    void setAccessibleName(std::string name, std::string description = {});
    void setAnnounced(bool announced);

    bool isUsable() const override;
    // Whether the widget's kind ever takes the focus (labels and frames never do).
    bool takesFocus() const { return takesFocus_; }
    bool canTakeFocus() const { return takesFocus_ && isUsable(); }
    bool hasFocus() const;
    // Moves the focus here (LostFocus on the widget left); throws kErrCannotFocus when the widget
    // cannot take it.
    void SetFocus();

    std::function<void()> onLostFocus;
    MouseHandler onMouseDown;

protected:
    Widget(Surface& surface, ControlKind kind, Placement placement, bool takesFocus);

private:
    friend class Surface;  // the keeper of the focus tells the widgets it moves between
    void focusChanged() const { show(Aspect::Focus); }

    Frame* container_;
    Rect geometry_;
    int tabIndex_;
    bool tabStop_ = true;
    bool takesFocus_;
    Font font_;
    Accessibility accessibility_;
};

}  // namespace toolkit
