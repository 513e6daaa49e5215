// A label: a caption the user cannot edit or focus, drawn left-aligned on one line, or centred and
// wrapped within the label's fixed size.
#pragma once

#include <string>
#include <string_view>

#include "platform/toolkit/Control.h"

namespace toolkit {

class Label : public Widget {
public:
    Label(Surface& surface, Placement placement, std::string caption,
          Alignment alignment = Alignment::Left)
        : Widget(surface, ControlKind::Label, std::move(placement), false),
          caption_(std::move(caption)),
          alignment_(alignment) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption) {
        caption_ = caption;
        show(Aspect::Caption);
    }
    Alignment alignment() const { return alignment_; }
    bool wordWrap() const { return alignment_ == Alignment::Centre; }

private:
    std::string caption_;
    Alignment alignment_;
};

}  // namespace toolkit
