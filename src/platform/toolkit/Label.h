// A label: a caption the user cannot edit or focus. Either it sizes itself to its caption, on one
// line from its left edge (its geometry gives its place and its designed size), or it keeps its
// size and shows the caption centred and wrapped within it.
#pragma once

#include <string>
#include <string_view>

#include "platform/toolkit/Captioned.h"
#include "platform/toolkit/Control.h"

namespace toolkit {

enum class LabelLayout { SizedToCaption, CentredAndWrapped };

class Label : public Widget, public Captioned {
public:
    Label(Surface& surface, Placement placement, std::string caption,
          LabelLayout layout = LabelLayout::SizedToCaption)
        : Widget(surface, ControlKind::Label, std::move(placement), false),
          Captioned(std::move(caption)),
          layout_(layout) {}

    LabelLayout layout() const { return layout_; }

private:
    LabelLayout layout_;
};

}  // namespace toolkit
