// A 16-colour bitmap: a palette of 16 colours and one palette index a pixel, row by row from the
// top; and its encoding as a device-independent bitmap file (BMP, 4 bits a pixel, bottom-up rows
// padded to 4 bytes), the form in which a library carries its images as resources.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace toolkit {

struct IndexedBitmap {
    int width = 0;
    int height = 0;
    std::array<std::uint32_t, 16> palette{};  // 0xRRGGBB
    std::vector<std::uint8_t> pixels;         // width * height indexes into the palette
};

// The BMP file's bytes. Throws std::invalid_argument when the pixels do not fill the size or an
// index is above 15.
std::string encodeBmp(const IndexedBitmap& bitmap);

}  // namespace toolkit
