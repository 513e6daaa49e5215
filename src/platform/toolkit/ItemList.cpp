#include "platform/toolkit/ItemList.h"

#include "platform/toolkit/ToolkitError.h"

namespace toolkit {

void ItemList::check(int index) const {
    if (index < 0 || index >= count()) {
        throw ToolkitError(kErrBadItemIndex,
                           "Index d'élément incorrect : " + std::to_string(index) +
                               " (la liste en compte " + std::to_string(count()) + ").");
    }
}

const ItemList::Item& ItemList::at(int index) const {
    check(index);
    return items_[static_cast<std::size_t>(index)];
}

ItemList::Item& ItemList::at(int index) {
    check(index);
    return items_[static_cast<std::size_t>(index)];
}

int ItemList::append(std::string_view text) {
    items_.push_back({std::string(text), 0});
    return count() - 1;
}

void ItemList::remove(int index) {
    check(index);
    items_.erase(items_.begin() + index);
}

}  // namespace toolkit
