// A command button: a caption, and Click when the user presses it (mouse, Space or Enter).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/toolkit/Captioned.h"
#include "platform/toolkit/Control.h"

namespace toolkit {

class Button : public Widget, public Captioned {
public:
    Button(Surface& surface, Placement placement, std::string caption)
        : Widget(surface, ControlKind::Button, std::move(placement), true),
          Captioned(std::move(caption)) {}

    std::function<void()> onClick;
};

}  // namespace toolkit
