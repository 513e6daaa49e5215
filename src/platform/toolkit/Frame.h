// A frame: a captioned box that contains other widgets. A disabled or invisible frame makes every
// widget inside it unusable, whatever their own states.
#pragma once

#include <string>
#include <string_view>

#include "platform/toolkit/Control.h"

namespace toolkit {

class Frame : public Widget {
public:
    Frame(Surface& surface, Placement placement, std::string caption)
        : Widget(surface, ControlKind::Frame, std::move(placement), false),
          caption_(std::move(caption)) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption) {
        caption_ = caption;
        show(Aspect::Caption);
    }

private:
    std::string caption_;
};

}  // namespace toolkit
