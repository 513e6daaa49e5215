// The control's own surface: the owner of every widget and menu entry of a screen, in one
// collection walked in creation order, and the keeper of the focus, the pop-up menu, the message
// boxes and the container window.
//
// Focus: at most one widget has it. Moving it tells the views of the widget left and of the widget
// given it (Aspect::Focus) and the surface's view, then raises LostFocus on the widget left;
// a focused widget that becomes unusable (disabled, hidden, or its frame so) loses it, with
// LostFocus. Tab order runs by tab index over the widgets that have a tab stop and can take the
// focus. As a window's dialog manager does, a user's action never leaves the focus nowhere: when
// it ends with no widget focused, the focus passes on to the next widget in tab order after the
// one that lost it (settleFocus), raising nothing; a surface shown in a window gives it to its
// first. The handlers keep the focus where they set it: the focus passes on only once they have
// all returned.
//
// Errors: a user's action runs through deliver(); an exception escaping its handlers goes to the
// host's error handler, and the action ends there. Without a handler it passes to the caller.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/toolkit/ContainerWindow.h"
#include "platform/toolkit/Control.h"
#include "platform/toolkit/MessageBox.h"
#include "platform/toolkit/View.h"

namespace toolkit {

class MenuEntry;

class Surface {
public:
    using ErrorHandler = std::function<void(const std::exception&)>;

    Surface(std::int32_t width, std::int32_t height) : width_(width), height_(height) {}
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }

    // Creates a control on this surface, at the end of the collection.
    template <class T, class... Args>
    T& add(Args&&... args) {
        auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& added = *control;
        controls_.push_back(&added);
        owned_.push_back(std::move(control));
        return added;
    }

    const std::vector<Control*>& Controls() const { return controls_; }
    // The control of that name (and index, for a control array); nullptr when there is none.
    Control* find(std::string_view name, int index = -1) const;

    Widget* ActiveControl() const { return focused_; }
    void moveFocus(Widget& widget);
    void checkFocus();
    // When no widget has the focus, gives it to the next widget in tab order that can take it
    // after the one that last lost it by becoming unusable, or to the first when none did.
    void settleFocus();
    // The next widget after from (or the first, when from is nullptr) in tab order, wrapping
    // around; nullptr when no widget can take the focus.
    Widget* nextInTabOrder(const Widget* from, bool backwards) const;

    // Shows a menu as a pop-up at the pointer; it stays shown until an entry is chosen or it is
    // dismissed.
    void PopupMenu(MenuEntry& menu);
    MenuEntry* shownMenu() const { return shownMenu_; }
    void closeMenu() { shownMenu_ = nullptr; }

    // Asks a modal message box through the host's service and answers the button chosen.
    MsgAnswer MsgBox(const MessageRequest& request);
    void setMessageService(MessageService* service) { messageService_ = service; }

    ContainerWindow& Parent() { return container_; }

    void setErrorHandler(ErrorHandler handler) { errorHandler_ = std::move(handler); }
    // Runs a user's action, then settles the focus.
    void deliver(const std::function<void()>& userEvent);

    void setView(SurfaceView* view) { view_ = view; }

    // Mouse button pressed on the surface itself, not on a child.
    Widget::MouseHandler onMouseDown;

private:
    // Gives the focus to the widget (or to none), then raises LostFocus on the widget left.
    void focusOn(Widget* widget);

    std::int32_t width_;
    std::int32_t height_;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> controls_;
    Widget* focused_ = nullptr;
    Widget* lostByUnusable_ = nullptr;  // where the focus passes on from
    MenuEntry* shownMenu_ = nullptr;
    MessageService* messageService_ = nullptr;
    ContainerWindow container_;
    ErrorHandler errorHandler_;
    SurfaceView* view_ = nullptr;
};

}  // namespace toolkit
