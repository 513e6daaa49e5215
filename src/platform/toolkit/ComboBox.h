// An editable drop-down combo box, unsorted: a text part (see EditableWidget) over a list of items
// with a 32-bit item data each (see ItemsWidget).
//
// Rules:
// - SetListIndex(i) with i from -1 to ListCount - 1 (anything else throws kErrBadItemIndex): when
//   i differs from the selected index, the text part becomes List(i) ("" for -1), all selected,
//   without a Change, then Click is raised. An unchanged index raises nothing.
// - A text part that changes, by the program or by the user, to anything but the selected item's
//   text leaves no item selected (-1), without a Click; Change follows as for any edit.
// - AddItem appends; Clear removes every item and the selection and empties the text part,
//   raising Change when that text was not already empty.
#pragma once

#include "platform/toolkit/EditableWidget.h"
#include "platform/toolkit/ItemsWidget.h"

namespace toolkit {

class ComboBox : public ItemsWidget<EditableWidget> {
public:
    ComboBox(Surface& surface, Placement placement)
        : ItemsWidget(surface, ControlKind::ComboBox, std::move(placement), true) {}

    void SetListIndex(int index) override;
    void Clear() override;

private:
    void textChanged() override;
};

}  // namespace toolkit
