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
    std::string_view List(int index) const { return items_.text(index); }
    std::int32_t ItemData(int index) const { return items_.data(index); }
    void SetItemData(int index, std::int32_t data) { items_.setData(index, data); }
    // The index of the item last added; -1 before any, and after a removal or a Clear.
    int NewIndex() const { return newIndex_; }

    void AddItem(std::string_view text) {
        newIndex_ = items_.append(text);
        this->showItems({ItemChange::Appended, newIndex_});
    }

    // Appends every item of items, texts and item data, as many AddItem and SetItemData would;
    // the widget shares them (ItemList.h), so that lists filled with the same items hold them once.
    void addItems(const ItemList& items) {
        if (items.count() == 0) return;
        items_.append(items);
        newIndex_ = items_.count() - 1;
        this->showItems({ItemChange::Appended, newIndex_});
    }

    const ItemList& items() const { return items_; }

    std::function<void()> onClick;

protected:
    using Base::Base;

    // Selects index (-1 for none; anything outside the list throws kErrBadItemIndex) and answers
    // whether the selection changed; the caller then shows it and raises Click.
    bool selectItem(int index) {
        if (index != -1) items_.check(index);
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
