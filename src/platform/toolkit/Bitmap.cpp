#include "platform/toolkit/Bitmap.h"

#include <algorithm>
#include <stdexcept>

namespace toolkit {
namespace {

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string encodeBmp(const IndexedBitmap& bitmap) {
    const auto pixelCount = static_cast<std::size_t>(bitmap.width) * bitmap.height;
    if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.pixels.size() != pixelCount ||
        std::any_of(bitmap.pixels.begin(), bitmap.pixels.end(), [](auto i) { return i > 15; })) {
        throw std::invalid_argument("image 16 couleurs incohérente");
    }
    const std::uint32_t rowBytes = ((bitmap.width + 1) / 2 + 3) / 4 * 4;
    const std::uint32_t headerBytes = 14 + 40 + 16 * 4;
    const std::uint32_t imageBytes = rowBytes * bitmap.height;
    std::string out = "BM";
    putLittleEndian(out, headerBytes + imageBytes, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, headerBytes, 4);
    for (const auto& [value, bytes] : {std::pair{40u, 4},
                                       {std::uint32_t(bitmap.width), 4},
                                       {std::uint32_t(bitmap.height), 4},
                                       {1u, 2},
                                       {4u, 2},
                                       {0u, 4},
                                       {imageBytes, 4},
                                       {3780u, 4},
                                       {3780u, 4},
                                       {16u, 4},
                                       {0u, 4}}) {
        putLittleEndian(out, value, bytes);
    }
    for (const std::uint32_t colour : bitmap.palette)
        putLittleEndian(out, colour, 4);  // B, G, R, 0
    for (int row = bitmap.height - 1; row >= 0; --row) {
        std::string line(rowBytes, '\0');
        for (int x = 0; x < bitmap.width; ++x) {
            const std::uint8_t index =
                bitmap.pixels[static_cast<std::size_t>(row) * bitmap.width + x];
            line[x / 2] = static_cast<char>(line[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
        out += line;
    }
    return out;
}

}  // namespace toolkit
