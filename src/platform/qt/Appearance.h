// How a model's font and colours look in Qt.
//
// A model's font with a family shows in that family; a family the system lacks falls back to a
// fixed-pitch one (style hint Monospace), since a widget names its font to line up columns: so
// "Courier New" is drawn in Liberation Mono where only that is installed. A fixed-pitch font
// advances by whole pixels, as the screens were laid out with, so that a column of characters
// stands where the widgets placed in twips expect it. A font without a family takes the toolkit's
// default font, a sans-serif face of 8.25 points (Liberation Sans where installed), in which the
// captions fit the sizes they were laid out for. The system colour ActiveBorder, which the models
// use for narrow separator bars, is drawn in the palette's Mid colour: the mid-tone with which the
// styles draw frames and borders, so that the bar follows the user's theme and stands out from the
// window's background.
#pragma once

#include <QColor>
#include <QFont>
#include <optional>

#include "platform/toolkit/Geometry.h"

class QPalette;
class QWidget;

namespace qtview {

// The Qt font of a model's font; nullopt when the model keeps the default font.
std::optional<QFont> qtFont(const toolkit::Font& font);
QFont defaultFont();
QColor systemColour(toolkit::SystemColour colour, const QPalette& palette);

void applyFont(QWidget& widget, const toolkit::Font& font);
// Paints the widget's background (its Base role) in the system colour; Default changes nothing.
void applyBackColour(QWidget& widget, toolkit::SystemColour colour);

}  // namespace qtview
