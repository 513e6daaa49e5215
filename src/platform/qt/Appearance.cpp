#include "platform/qt/Appearance.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPalette>
#include <QWidget>
#include <cmath>

#include "platform/qt/TextConversion.h"

namespace qtview {

namespace {

// Widens each character of a fixed-pitch font to the next whole pixel.
void advanceByWholePixels(QFont& font) {
    const QFontInfo info(font);
    if (!info.fixedPitch()) return;
    const qreal advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    const qreal whole = std::ceil(advance - 0.01);
    if (whole > advance) font.setLetterSpacing(QFont::AbsoluteSpacing, whole - advance);
}

}  // namespace

std::optional<QFont> qtFont(const toolkit::Font& font) {
    if (font.family.empty()) return std::nullopt;
    QFont qt(toQString(font.family));
    qt.setStyleHint(QFont::Monospace);
    if (font.points > 0) qt.setPointSizeF(font.points);
    qt.setBold(font.bold);
    advanceByWholePixels(qt);
    return qt;
}

QFont defaultFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

QColor systemColour(toolkit::SystemColour colour, const QPalette& palette) {
    switch (colour) {
        case toolkit::SystemColour::ActiveBorder:
            return palette.color(QPalette::Active, QPalette::Mid);
        case toolkit::SystemColour::Default:
            break;
    }
    return palette.color(QPalette::Active, QPalette::Base);
}

void applyFont(QWidget& widget, const toolkit::Font& font) {
    if (const std::optional<QFont> qt = qtFont(font)) widget.setFont(*qt);
}

void applyBackColour(QWidget& widget, toolkit::SystemColour colour) {
    if (colour == toolkit::SystemColour::Default) return;
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, systemColour(colour, palette));
    widget.setPalette(palette);
}

}  // namespace qtview
