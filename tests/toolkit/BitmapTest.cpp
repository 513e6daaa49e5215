// A 16-colour image written as a bitmap file: its headers, its palette as B, G, R, 0, and its rows
// from the bottom up, two pixels a byte, each row padded to four bytes.
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "platform/toolkit/Bitmap.h"

namespace {

using toolkit::encodeBmp;
using toolkit::IndexedBitmap;

// The little-endian number of that many bytes at that offset.
std::uint32_t numberAt(const std::string& bytes, std::size_t offset, int size) {
    std::uint32_t number = 0;
    for (int i = size - 1; i >= 0; --i)
        number = number << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return number;
}

TEST(BitmapTest, AnOddWidthFillsItsLastByteHalfAndEachRowIsPaddedToFourBytes) {
    IndexedBitmap image{9, 2, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 15, 14, 13, 12, 11, 10, 9, 8, 7}};
    image.palette[1] = 0x102030;
    const std::string bmp = encodeBmp(image);
    const std::size_t pixels = 14 + 40 + 16 * 4;
    ASSERT_EQ(bmp.size(), pixels + 2 * 8);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(numberAt(bmp, 2, 4), bmp.size());
    EXPECT_EQ(numberAt(bmp, 10, 4), pixels);
    EXPECT_EQ(numberAt(bmp, 18, 4), 9u);
    EXPECT_EQ(numberAt(bmp, 22, 4), 2u);
    EXPECT_EQ(numberAt(bmp, 28, 2), 4u) << "bits a pixel";
    EXPECT_EQ(numberAt(bmp, 34, 4), 2u * 8) << "bytes of the pixels";
    EXPECT_EQ(bmp.substr(54 + 4, 4), std::string("\x30\x20\x10\x00", 4)) << "colour 1";
    EXPECT_EQ(bmp.substr(pixels), std::string("\xFE\xDC\xBA\x98\x70\0\0\0"
                                              "\x12\x34\x56\x78\x90\0\0\0",
                                              16));
}

TEST(BitmapTest, AnImageWhosePixelsDoNotFillItOrAreNoColourIsRefused) {
    const IndexedBitmap refused[] = {
        {0, 1, {}, {}}, {2, 1, {}, {1}}, {2, 1, {}, {1, 2, 3}}, {1, 1, {}, {16}}};
    for (const IndexedBitmap& image : refused)
        EXPECT_THROW(encodeBmp(image), std::invalid_argument) << image.width << "x" << image.height;
}

}  // namespace
