// ostrevan-icon: writes the control's toolbox image as the PNG icon of the clerks' menu entry,
// on a transparent square of the next icon size (16 by 16 for the 16 by 15 image), as desktop
// icon themes take them. Built and run by the build, never installed.
//
//   ostrevan-icon FILE
#include <QImage>
#include <algorithm>
#include <iostream>

#include "screen/ToolboxImage.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ostrevan-icon FILE\n";
        return 2;
    }
    const toolkit::IndexedBitmap& image = screen::toolboxImage();
    const int side = std::max(image.width, image.height);
    QImage icon(side, side, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    // Opaque pixels of the image's palette (0xRRGGBB).
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x)
            icon.setPixel(x, y, 0xFF000000u | image.palette[image.pixels[y * image.width + x]]);
    }
    if (!icon.save(argv[1], "PNG")) {
        std::cerr << "ostrevan-icon: cannot write " << argv[1] << '\n';
        return 1;
    }
}
