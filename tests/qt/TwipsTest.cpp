#include <gtest/gtest.h>

#include "platform/qt/Twips.h"

namespace qtview {
namespace {

TEST(TwipsTest, FifteenTwipsMakeAPixelAt96DpiAndScaleWithTheDpi) {
    EXPECT_EQ(twipsToPixels(15, 96), 1);
    EXPECT_EQ(twipsToPixels(17070, 96), 1138);
    EXPECT_EQ(twipsToPixels(5070, 96), 338);
    EXPECT_EQ(twipsToPixels(5070, 144), 507);
    EXPECT_EQ(twipsToPixels(7, 96), 0);
    EXPECT_EQ(twipsToPixels(8, 96), 1);
    EXPECT_FLOAT_EQ(pixelsToTwips(1138, 96), 17070);
}

TEST(TwipsTest, WidgetsThatTouchInTwipsTouchInPixels) {
    // 22 twips are 1.47 pixels: sizes rounded alone would leave a gap after the second.
    const QRect second = pixelRect({22, 0, 22, 100}, 96, 96);
    const QRect third = pixelRect({44, 0, 22, 100}, 96, 96);
    EXPECT_EQ(second.right() + 1, third.left());
    EXPECT_EQ(pixelRect({0, 0, 17070, 5070}, 96, 120).size(), QSize(1138, 423));
}

}  // namespace
}  // namespace qtview
