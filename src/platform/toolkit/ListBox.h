// A list box of items with a 32-bit item data each (see ItemsWidget), one selectable at a time.
//
// Rules: SetListIndex(i) with i from -1 to ListCount - 1 raises Click when i differs from the
// selected index; RemoveItem keeps the same item selected (or none, when it removes that item) and
// Clear removes the selection, both without a Click. DblClick comes only from the user.
#pragma once

#include <functional>
#include <string_view>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/ItemsWidget.h"

namespace toolkit {

class ListBox : public ItemsWidget<Widget> {
public:
    ListBox(Surface& surface, Placement placement)
        : ItemsWidget(surface, ControlKind::ListBox, std::move(placement), true) {}

    void SetListIndex(int index) override;
    void SetList(int index, std::string_view text);
    void RemoveItem(int index);
    void Clear() override { clearItems(); }

    std::function<void()> onDblClick;
};

}  // namespace toolkit
