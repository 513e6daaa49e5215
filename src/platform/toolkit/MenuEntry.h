// A menu entry: a named, captioned entry of the control's menus. A top entry is a menu that the
// program shows as a pop-up (Surface::PopupMenu); its entries raise Click when the user chooses
// one of them while it is shown.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit/Captioned.h"
#include "platform/toolkit/Control.h"

namespace toolkit {

class MenuEntry : public Control, public Captioned {
public:
    MenuEntry(Surface& surface, std::string name, std::string caption, MenuEntry* menu = nullptr)
        : Control(surface, ControlKind::MenuEntry, std::move(name), -1),
          Captioned(std::move(caption)),
          menu_(menu) {
        if (menu_ != nullptr) menu_->entries_.push_back(this);
    }

    // The menu this entry belongs to; nullptr for a top entry.
    MenuEntry* menu() const { return menu_; }
    const std::vector<MenuEntry*>& entries() const { return entries_; }

    bool isUsable() const override {
        return Enabled() && Visible() && (menu_ == nullptr || menu_->isUsable());
    }

    std::function<void()> onClick;

private:
    MenuEntry* menu_;
    std::vector<MenuEntry*> entries_;
};

}  // namespace toolkit
