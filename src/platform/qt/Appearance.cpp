#include "platform/qt/Appearance.h"

#include <QPalette>
#include <QWidget>

#include "platform/qt/TextConversion.h"

namespace qtview {

std::optional<QFont> qtFont(const toolkit::Font& font) {
    if (font.family.empty()) return std::nullopt;
    QFont qt(toQString(font.family));
    qt.setStyleHint(QFont::Monospace);
    if (font.points > 0) qt.setPointSizeF(font.points);
    qt.setBold(font.bold);
    return qt;
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
