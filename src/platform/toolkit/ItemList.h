// The items of a combo box or list box: a text and a 32-bit item data each, in the order added.
//
// Indexes count from 0; an index outside the list throws ToolkitError(kErrBadItemIndex). Appending
// costs O(1) amortized; reading an item O(1).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

class ItemList {
public:
    struct Item {
        std::string text;
        std::int32_t data = 0;
        bool operator==(const Item&) const = default;
    };

    int count() const { return static_cast<int>(items_.size()); }
    const Item& at(int index) const {
        check(index);
        return items_[static_cast<std::size_t>(index)];
    }
    Item& at(int index) {
        check(index);
        return items_[static_cast<std::size_t>(index)];
    }

    // The items' texts, one after the other with the separator between them: the list's texts in
    // one piece, to keep or compare at the cost of one text.
    std::string joinedTexts(char separator) const;

    // Appends an item with item data 0 and answers its index.
    int append(std::string_view text);
    void remove(int index);
    void clear() { items_.clear(); }

    bool operator==(const ItemList&) const = default;

private:
    // Inline, so that a scan of the items costs no call per item.
    void check(int index) const {
        if (index < 0 || index >= count()) refuseIndex(index);
    }
    [[noreturn]] void refuseIndex(int index) const;

    std::vector<Item> items_;
};

}  // namespace toolkit
