#include "screen/ToolboxImage.h"

#include <string_view>

namespace screen {
namespace {

// The 16 colours of the classic display palette, as 0xRRGGBB.
constexpr std::array<std::uint32_t, 16> kPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// One character a pixel: '.' silver, '#' black, 'w' white, 'r' red, 'b' navy, 'g' green.
constexpr std::array<std::string_view, 15> kDrawing = {
    "................",  //
    ".rrrrrr..######.",  //
    ".r####r..#wwww#.",  //
    ".wwwwww..#bbbw#.",  //
    ".w#w#ww..#wwww#.",  //
    ".wwwwwwg.#bbbw#.",  //
    ".w#w#wwgg#wwww#.",  //
    ".wwwwwwg.#bbbw#.",  //
    ".w#w#ww..#wwww#.",  //
    ".wwwwww..#bbbw#.",  //
    ".######..#wwww#.",  //
    ".........#bbbw#.",  //
    ".........#wwww#.",  //
    ".........######.",  //
    "................",  //
};

std::uint8_t paletteIndex(char pixel) {
    switch (pixel) {
        case '#':
            return 0;
        case 'g':
            return 2;
        case 'b':
            return 4;
        case 'r':
            return 9;
        case 'w':
            return 15;
        default:
            return 7;
    }
}

toolkit::IndexedBitmap draw() {
    toolkit::IndexedBitmap bitmap{16, 15, kPalette, {}};
    for (const std::string_view row : kDrawing) {
        for (const char pixel : row)
            bitmap.pixels.push_back(paletteIndex(pixel));
    }
    return bitmap;
}

}  // namespace

const toolkit::IndexedBitmap& toolboxImage() {
    static const toolkit::IndexedBitmap image = draw();
    return image;
}

}  // namespace screen
