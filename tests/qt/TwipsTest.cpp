// Twips to pixels at the screen's dpi, rounded so that widgets touching in twips touch in pixels.
#include <gtest/gtest.h>

#include "platform/qt/Twips.h"

namespace qtview {
namespace {

TEST(TwipsTest, FifteenTwipsMakeAPixelAt96DpiAndScaleWithTheDpi) {
    for (const auto& [twips, dpi, pixels] :
         {std::tuple{15, 96, 1}, {5070, 144, 507}, {7, 96, 0}, {8, 96, 1}})
        EXPECT_EQ(twipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi;
    // 22 twips are 1.47 pixels: sizes rounded alone would leave a gap after the second.
    EXPECT_EQ(pixelRect({22, 0, 22, 100}, 96, 96).right() + 1,
              pixelRect({44, 0, 22, 100}, 96, 96).left());
    EXPECT_EQ(pixelRect({0, 0, 17070, 5070}, 96, 120).size(), QSize(1138, 423));
}

}  // namespace
}  // namespace qtview
