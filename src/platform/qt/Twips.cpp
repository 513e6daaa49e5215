#include "platform/qt/Twips.h"

#include <cmath>

namespace qtview {
namespace {

constexpr qreal kTwipsPerInch = 1440.0;

}  // namespace

int twipsToPixels(std::int32_t twips, qreal logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / kTwipsPerInch));
}

float pixelsToTwips(qreal pixels, qreal logicalDpi) {
    return static_cast<float>(pixels * kTwipsPerInch / logicalDpi);
}

QRect pixelRect(const toolkit::Rect& twips, qreal dpiX, qreal dpiY) {
    const int left = twipsToPixels(twips.left, dpiX);
    const int top = twipsToPixels(twips.top, dpiY);
    const int right = twipsToPixels(twips.left + twips.width, dpiX);
    const int bottom = twipsToPixels(twips.top + twips.height, dpiY);
    return {left, top, right - left, bottom - top};
}

}  // namespace qtview
