// A single-line text box: an editable text (see EditableWidget) with a maximum length in
// characters (0 for none) and a background colour.
#pragma once

#include "platform/toolkit/EditableWidget.h"

namespace toolkit {

class TextBox : public EditableWidget {
public:
    TextBox(Surface& surface, Placement placement)
        : EditableWidget(surface, ControlKind::TextBox, std::move(placement), true) {}

    int MaxLength() const { return static_cast<int>(edit_.maxLength()); }
    void SetMaxLength(int maxLength) { edit_.setMaxLength(static_cast<std::size_t>(maxLength)); }

    SystemColour backColour() const { return backColour_; }
    void setBackColour(SystemColour colour) { backColour_ = colour; }

private:
    SystemColour backColour_ = SystemColour::Default;
};

}  // namespace toolkit
