// Texts between the models and Qt: the models keep UTF-8 and count positions in characters; Qt
// keeps UTF-16 and counts positions in code units. A character beyond U+FFFF is one position in
// the model and two in Qt. A byte that starts no character shows as U+FFFD.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qtview {

QString toQString(std::string_view utf8);
std::string toUtf8(const QString& text);

// The UTF-16 position of the character at position characters (cut to the text's end).
int utf16Position(const QString& text, int characters);
// The character position of a UTF-16 position; a position inside a pair counts as after it.
int characterPosition(const QString& text, int utf16);

}  // namespace qtview
