// A command button: a caption, and Click when the user presses it (mouse, Space or Enter).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/toolkit/Control.h"

namespace toolkit {

class Button : public Widget {
public:
    Button(Surface& surface, Placement placement, std::string caption)
        : Widget(surface, ControlKind::Button, std::move(placement), true),
          caption_(std::move(caption)) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption) {
        caption_ = caption;
        show(Aspect::Caption);
    }

    std::function<void()> onClick;

private:
    std::string caption_;
};

}  // namespace toolkit
