// Twips to pixels and back: the models place widgets in twips (1/1440 inch); Qt places them in
// device-independent pixels. At the screen's logical dpi (96 on an ordinary screen) 15 twips make
// one pixel. Edges are converted, not sizes, so that widgets that touch in twips touch on screen.
#pragma once

#include <QRect>
#include <cstdint>

#include "platform/toolkit/Geometry.h"

namespace qtview {

// The nearest pixel to a length or position in twips.
int twipsToPixels(std::int32_t twips, qreal logicalDpi);
float pixelsToTwips(qreal pixels, qreal logicalDpi);

// The pixel rectangle of a rectangle in twips, with its own dpi in each direction.
QRect pixelRect(const toolkit::Rect& twips, qreal dpiX, qreal dpiY);

}  // namespace qtview
