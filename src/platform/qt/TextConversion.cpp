#include "platform/qt/TextConversion.h"

namespace qtview {
namespace {

// How many UTF-16 units the character at this position takes: 2 for a surrogate pair, else 1.
int unitsAt(const QString& text, int at) {
    const bool pair =
        text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
    return pair ? 2 : 1;
}

}  // namespace

QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toUtf8(const QString& text) {
    return text.toStdString();
}

int utf16Position(const QString& text, int characters) {
    int at = 0;
    for (; characters > 0 && at < text.size(); --characters)
        at += unitsAt(text, at);
    return at;
}

int characterPosition(const QString& text, int utf16) {
    int characters = 0;
    for (int at = 0; at < utf16 && at < text.size(); ++characters)
        at += unitsAt(text, at);
    return characters;
}

}  // namespace qtview
