#include "platform/toolkit/ItemList.h"

#include "platform/toolkit/ToolkitError.h"

namespace toolkit {

void ItemList::refuseIndex(int index) const {
    throw platform::ComponentError(kErrBadItemIndex,
                                   "Index d'élément incorrect : " + std::to_string(index) +
                                       " (la liste en compte " + std::to_string(count()) + ").");
}

ItemList::Table& ItemList::own() {
    if (!table_) {
        table_ = std::make_shared<Table>();
    } else if (table_.use_count() > 1) {
        table_ = std::make_shared<Table>(*table_);
    }
    return *table_;
}

ItemList::Item& ItemList::ownItem(int index) {
    check(index);
    return own().items[static_cast<std::size_t>(index)];
}

void ItemList::setText(int index, std::string_view text) {
    Item& item = ownItem(index);
    table_->unheld += item.size;
    item = {table_->texts.size(), static_cast<std::uint32_t>(text.size()), item.data};
    table_->texts += text;
    if (table_->unheld > table_->texts.size() / 2) pack();
}

void ItemList::setData(int index, std::int32_t data) {
    ownItem(index).data = data;
}

int ItemList::append(std::string_view text, std::int32_t data) {
    Table& table = own();
    table.items.push_back({table.texts.size(), static_cast<std::uint32_t>(text.size()), data});
    table.texts += text;
    return count() - 1;
}

void ItemList::append(const ItemList& items) {
    if (count() == 0) {
        table_ = items.table_;
        return;
    }
    // Held here, the items' table counts as shared: a list appended to itself is copied first.
    const std::shared_ptr<const Table> source = items.table_;
    if (!source) return;
    Table& table = own();
    const std::size_t offset = table.texts.size();
    table.texts += source->texts;
    table.unheld += source->unheld;
    for (const Item& item : source->items)
        table.items.push_back({item.start + offset, item.size, item.data});
}

void ItemList::remove(int index) {
    const Item removed = ownItem(index);
    table_->items.erase(table_->items.begin() + index);
    table_->unheld += removed.size;
    if (table_->unheld > table_->texts.size() / 2) pack();
}

void ItemList::reserve(std::size_t items, std::size_t textBytes) {
    Table& table = own();
    table.items.reserve(table.items.size() + items);
    table.texts.reserve(table.texts.size() + textBytes);
}

void ItemList::pack() {
    std::string texts;
    texts.reserve(table_->texts.size() - table_->unheld);
    for (Item& item : table_->items) {
        const std::size_t start = texts.size();
        texts.append(table_->texts, item.start, item.size);
        item.start = start;
    }
    table_->texts = std::move(texts);
    table_->unheld = 0;
}

std::string ItemList::joinedTexts(char separator) const {
    std::string joined;
    if (!table_) return joined;
    joined.reserve(table_->texts.size() - table_->unheld + table_->items.size());
    for (int i = 0; i < count(); ++i) {
        if (i > 0) joined += separator;
        joined += text(i);
    }
    return joined;
}

}  // namespace toolkit
