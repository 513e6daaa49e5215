// A label: a caption the user cannot edit or focus. Either it sizes itself to its caption, on one
// line from its left edge (its geometry gives its place and its designed size), or it keeps its
// size and shows the caption centred and wrapped within it.
#pragma once

#include <string>
#include <string_view>

#include "platform/toolkit/Control.h"

namespace toolkit {

enum class LabelLayout { SizedToCaption, CentredAndWrapped };

class Label : public Widget {
public:
    Label(Surface& surface, Placement placement, std::string caption,
          LabelLayout layout = LabelLayout::SizedToCaption)
        : Widget(surface, ControlKind::Label, std::move(placement), false),
          caption_(std::move(caption)),
          layout_(layout) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption) {
        caption_ = caption;
        show(Aspect::Caption);
    }
    LabelLayout layout() const { return layout_; }

private:
    std::string caption_;
    LabelLayout layout_;
};

}  // namespace toolkit
