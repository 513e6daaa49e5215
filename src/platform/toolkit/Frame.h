// A frame: a captioned box that contains other widgets. A disabled or invisible frame makes every
// widget inside it unusable, whatever their own states.
#pragma once

#include <string>
#include <string_view>

#include "platform/toolkit/Captioned.h"
#include "platform/toolkit/Control.h"

namespace toolkit {

class Frame : public Widget, public Captioned {
public:
    Frame(Surface& surface, Placement placement, std::string caption)
        : Widget(surface, ControlKind::Frame, std::move(placement), false),
          Captioned(std::move(caption)) {}
};

}  // namespace toolkit
