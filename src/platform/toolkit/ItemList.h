// The items of a combo box or list box: a text and a 32-bit item data each, in the order added.
//
// Indexes count from 0; an index outside the list throws
// platform::ComponentError(kErrBadItemIndex).
//
// Storage. The texts lie one after the other in one buffer, and each item is its place there and
// its item data: a list of 10,000 items is a few allocations, not 10,000. Lists share their items:
// a copy of a list, or a list appended to an empty one, holds the same items until one of them
// changes, and the one that changes takes its own copy first, so that five lists filled with the
// same 10,000 items hold them once while each still changes alone.
//
// Cost. Appending an item costs O(1) amortized, reading one O(1), appending a whole list to an
// empty one O(1); a change to a shared list first copies it, O(n) once. Replacing a text writes
// the new one at the end of the buffer; the buffer is packed again when more than half of it is
// texts that no item holds any more. Removing an item costs O(n), as it moves the items after it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

class ItemList {
public:
    int count() const { return table_ ? static_cast<int>(table_->items.size()) : 0; }
    // Inline, so that a scan of the items costs no call per item.
    std::string_view text(int index) const {
        const Item& item = at(index);
        return std::string_view(table_->texts).substr(item.start, item.size);
    }
    std::int32_t data(int index) const { return at(index).data; }
    // Refuses an index outside the list, as every read and change does.
    void check(int index) const {
        if (index < 0 || index >= count()) refuseIndex(index);
    }

    void setText(int index, std::string_view text);
    void setData(int index, std::int32_t data);
    // Appends an item and answers its index.
    int append(std::string_view text, std::int32_t data = 0);
    // Appends every item of items, in their order; an empty list takes them over shared.
    void append(const ItemList& items);
    void remove(int index);
    void clear() { table_.reset(); }
    // Makes room for that many more items and bytes of text, for a fill whose size is known.
    void reserve(std::size_t items, std::size_t textBytes);

    // The items' texts, one after the other with the separator between them: the list's texts in
    // one piece, to keep or compare at the cost of one text.
    std::string joinedTexts(char separator) const;

private:
    struct Item {
        std::size_t start;  // in texts
        std::uint32_t size;
        std::int32_t data;
    };
    struct Table {
        std::string texts;
        std::vector<Item> items;
        std::size_t unheld = 0;  // bytes of texts that no item holds any more
    };

    const Item& at(int index) const {
        check(index);
        return table_->items[static_cast<std::size_t>(index)];
    }
    [[noreturn]] void refuseIndex(int index) const;
    // The table to change: this list's own, copied first when another list shares it.
    Table& own();
    Item& ownItem(int index);
    void pack();

    std::shared_ptr<Table> table_;  // none while the list is empty
};

}  // namespace toolkit
