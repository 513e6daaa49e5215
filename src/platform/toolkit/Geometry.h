// Where a widget stands and how its text is drawn.
//
// Positions and sizes are in twips (1/1440 inch; 15 twips make one pixel at 96 dots per inch),
// relative to the widget's container. The toolkit never moves or resizes a widget by itself.
#pragma once

#include <cstdint>
#include <string>

namespace toolkit {

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// A font; an empty family means the toolkit's default font, at its default size.
struct Font {
    std::string family;
    double points = 0;
    bool bold = false;

    friend bool operator==(const Font&, const Font&) = default;
};

// The colours a widget can be painted with: its kind's default, or a colour of the system's
// palette that follows the user's theme.
enum class SystemColour { Default, ActiveBorder };

}  // namespace toolkit
