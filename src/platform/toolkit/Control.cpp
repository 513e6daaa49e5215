#include "platform/toolkit/Control.h"

#include <string>

#include "platform/toolkit/Frame.h"
#include "platform/toolkit/Surface.h"
#include "platform/toolkit/ToolkitError.h"

namespace toolkit {

std::string_view kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "label";
        case ControlKind::TextBox:
            return "textbox";
        case ControlKind::ComboBox:
            return "combobox";
        case ControlKind::ListBox:
            return "listbox";
        case ControlKind::Button:
            return "button";
        case ControlKind::Frame:
            return "frame";
        case ControlKind::MenuEntry:
            return "menu";
    }
    return "";
}

Control::Control(Surface& surface, ControlKind kind, std::string name, int index)
    : surface_(surface), kind_(kind), name_(std::move(name)), index_(index) {}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    show(Aspect::Enabled);
    surface_.checkFocus();
}

void setEnabled(std::initializer_list<Control*> controls, bool enabled) {
    for (Control* control : controls)
        control->SetEnabled(enabled);
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    show(Aspect::Visible);
    surface_.checkFocus();
}

std::string Control::Text() const {
    lacks("Text");
}
void Control::SetText(std::string_view) {
    lacks("Text");
}
int Control::ListIndex() const {
    lacks("ListIndex");
}
void Control::SetListIndex(int) {
    lacks("ListIndex");
}
void Control::Clear() {
    lacks("Clear");
}

void Control::show(Aspect aspect) const {
    if (view_ != nullptr) view_->aspectChanged(aspect);
}

void Control::showItems(const ItemChange& change) const {
    if (view_ != nullptr) view_->itemsChanged(change);
}

void Control::lacks(std::string_view member) const {
    throw platform::ComponentError(
        kErrNoSuchMember, "Le contrôle « " + name_ + " » (" + std::string(kindName(kind_)) +
                              ") n'a pas « " + std::string(member) + " ».");
}

Widget::Widget(Surface& surface, ControlKind kind, Placement placement, bool takesFocus)
    : Control(surface, kind, std::move(placement.name), placement.index),
      container_(placement.container),
      geometry_(placement.geometry),
      tabIndex_(placement.tabIndex),
      takesFocus_(takesFocus) {}

void Widget::setAccessibleName(std::string name, std::string description) {
    accessibility_.name = std::move(name);
    accessibility_.description = std::move(description);
    show(Aspect::Accessibility);
}

void Widget::setAnnounced(bool announced) {
    accessibility_.announced = announced;
    show(Aspect::Accessibility);
}

bool Widget::isUsable() const {
    return Enabled() && Visible() && (container_ == nullptr || container_->isUsable());
}

bool Widget::hasFocus() const {
    return surface_.ActiveControl() == this;
}

void Widget::SetFocus() {
    surface_.moveFocus(*this);
}

}  // namespace toolkit
