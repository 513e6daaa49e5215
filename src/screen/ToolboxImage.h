// The image under which a design environment lists the control in its toolbox: 16 by 15 pixels in
// 16 colours, carried by the library as the bitmap resource 30000. It shows a planning calendar,
// an arrow, and a sheet of entry lines: the planning switched into activity entry.
#pragma once

#include "platform/toolkit/Bitmap.h"

namespace screen {

inline constexpr int kToolboxImageResource = 30000;

const toolkit::IndexedBitmap& toolboxImage();

}  // namespace screen
