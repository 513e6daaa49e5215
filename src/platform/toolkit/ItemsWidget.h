// What a combo box and a list box share: their items (see ItemList), the selected index (-1 for
// none) and Click, raised when the selected index changes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/toolkit/ItemList.h"
#include "platform/toolkit/View.h"

namespace toolkit {

template <class Base>
class ItemsWidget : public Base {
public:
    int ListIndex() const override { return listIndex_; }
    int ListCount() const { return items_.count(); }
    const std::string& List(int index) const { return items_.at(index).text; }
    std::int32_t ItemData(int index) const { return items_.at(index).data; }
    void SetItemData(int index, std::int32_t data) { items_.at(index).data = data; }
    // The index of the item last added; -1 before any, and after a removal or a Clear.
    int NewIndex() const { return newIndex_; }

    void AddItem(std::string_view text) {
        newIndex_ = items_.append(text);
        this->showItems({ItemChange::Appended, newIndex_});
    }

    const ItemList& items() const { return items_; }

    std::function<void()> onClick;

protected:
    using Base::Base;

    // Selects index (-1 for none; anything outside the list throws kErrBadItemIndex) and answers
    // whether the selection changed; the caller then shows it and raises Click.
    bool selectItem(int index) {
        if (index != -1) items_.at(index);
        if (index == listIndex_) return false;
        listIndex_ = index;
        return true;
    }

    void raiseClick() const {
        if (onClick) onClick();
    }

    void clearItems() {
        items_.clear();
        listIndex_ = newIndex_ = -1;
        this->showItems({ItemChange::Cleared, -1});
        this->show(Aspect::Selection);
    }

    ItemList items_;
    int listIndex_ = -1;
    int newIndex_ = -1;
};

}  // namespace toolkit
