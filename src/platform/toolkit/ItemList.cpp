#include "platform/toolkit/ItemList.h"

#include "platform/toolkit/ToolkitError.h"

namespace toolkit {

void ItemList::refuseIndex(int index) const {
    throw ToolkitError(kErrBadItemIndex, "Index d'élément incorrect : " + std::to_string(index) +
                                             " (la liste en compte " + std::to_string(count()) +
                                             ").");
}

std::string ItemList::joinedTexts(char separator) const {
    std::size_t size = items_.size();
    for (const Item& item : items_)
        size += item.text.size();
    std::string joined;
    joined.reserve(size);
    for (const Item& item : items_) {
        if (&item != &items_.front()) joined += separator;
        joined += item.text;
    }
    return joined;
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
