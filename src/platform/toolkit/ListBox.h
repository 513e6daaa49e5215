// A list box of items with a 32-bit item data each (see ItemsWidget), one selectable at a time.
//
// Rules: SetListIndex(i) with i from -1 to ListCount - 1 raises Click when i differs from the
// selected index; RemoveItem keeps the same item selected (or none, when it removes that item) and
// Clear removes the selection, both without a Click. DblClick comes only from the user: a double
// click, or Enter with an item selected.
//
// Columns: the items' text may be laid out in columns of fixed widths, each under a heading; an
// item is then read aloud column by column (spokenItem), each column as it says, never as the
// padded text.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/ItemsWidget.h"

namespace toolkit {

// A column of a list box's items: its heading, its width in characters, and how its text (never
// blank, without its padding) is read aloud; as it stands when spoken is empty.
struct ListColumn {
    std::string heading;
    std::size_t width;
    std::function<std::string(std::string_view text)> spoken;
};

class ListBox : public ItemsWidget<Widget> {
public:
    ListBox(Surface& surface, Placement placement)
        : ItemsWidget(surface, ControlKind::ListBox, std::move(placement), true) {}

    void SetListIndex(int index) override;
    void SetList(int index, std::string_view text);
    void RemoveItem(int index);
    void Clear() override { clearItems(); }

    void setColumns(std::vector<ListColumn> columns) { columns_ = std::move(columns); }
    // An item as assistive technology reads it: each column's heading and its text as the column
    // reads it, for the columns that are not blank, joined by ", "; any text beyond the last
    // column after them. Without columns, the item's text without its padding.
    std::string spokenItem(int index) const;

    std::function<void()> onDblClick;

private:
    std::vector<ListColumn> columns_;
};

}  // namespace toolkit
