#include "platform/toolkit/Surface.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/toolkit/MenuEntry.h"
#include "platform/toolkit/ToolkitError.h"

namespace toolkit {

Control* Surface::find(std::string_view name, int index) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(), [&](const Control* c) {
        return c->Name() == name && c->Index() == index;
    });
    return found == controls_.end() ? nullptr : *found;
}

void Surface::moveFocus(Widget& widget) {
    if (!widget.canTakeFocus()) {
        throw platform::ComponentError(kErrCannotFocus, "Le contrôle « " + widget.Name() +
                                                            " » ne peut pas recevoir le focus.");
    }
    if (focused_ != &widget) focusOn(&widget);
}

void Surface::checkFocus() {
    if (focused_ == nullptr || focused_->canTakeFocus()) return;
    lostByUnusable_ = focused_;
    focusOn(nullptr);
}

void Surface::settleFocus() {
    if (focused_ != nullptr) return;
    if (Widget* next = nextInTabOrder(lostByUnusable_, false)) focusOn(next);
}

void Surface::focusOn(Widget* widget) {
    if (widget != nullptr) lostByUnusable_ = nullptr;
    Widget* left = std::exchange(focused_, widget);
    if (left != nullptr) left->focusChanged();
    if (widget != nullptr) widget->focusChanged();
    if (view_ != nullptr) view_->focusMoved(focused_);
    if (left != nullptr && left->onLostFocus) left->onLostFocus();
}

Widget* Surface::nextInTabOrder(const Widget* from, bool backwards) const {
    const auto before = [backwards](const Widget* a, const Widget* b) {
        return backwards ? a->tabIndex() > b->tabIndex() : a->tabIndex() < b->tabIndex();
    };
    Widget* first = nullptr;
    Widget* next = nullptr;
    for (Control* control : controls_) {
        auto* widget = dynamic_cast<Widget*>(control);
        if (widget == nullptr || widget == from || !widget->tabStop() || !widget->canTakeFocus()) {
            continue;
        }
        if (first == nullptr || before(widget, first)) first = widget;
        if (from != nullptr && before(from, widget) && (next == nullptr || before(widget, next))) {
            next = widget;
        }
    }
    return next != nullptr ? next : first;
}

void Surface::PopupMenu(MenuEntry& menu) {
    shownMenu_ = &menu;
    if (view_ != nullptr) view_->menuShown(menu);
}

MsgAnswer Surface::MsgBox(const MessageRequest& request) {
    if (messageService_ == nullptr) {
        throw platform::ComponentError(
            kErrMessageBox, "Aucun moyen d'afficher le message « " + request.text + " ».");
    }
    const MsgAnswer answer = messageService_->ask(request);
    if (!offers(request.buttons, answer)) {
        throw platform::ComponentError(kErrMessageBox,
                                       "Réponse « " + std::string(answerName(answer)) +
                                           " » impossible au message « " + request.text + " ».");
    }
    return answer;
}

void Surface::deliver(const std::function<void()>& userEvent) {
    try {
        userEvent();
    } catch (const std::exception& error) {
        if (!errorHandler_) {
            settleFocus();
            throw;
        }
        errorHandler_(error);
    }
    settleFocus();
}

}  // namespace toolkit
