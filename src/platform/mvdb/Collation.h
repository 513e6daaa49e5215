// The order in which selection sentences sort texts: the order of a French dictionary's
// headwords, then of the exact texts.
//
// Texts are first compared without letter case and accents (é, è, ê and ë as e, ç as c, œ as oe,
// æ as ae, ß as ss, and so for every letter of the Latin-1 range), so that "Élément" stands
// between "Durée" and "Forfait" and "heures de nuit" before "Heures normales". Texts equal in
// that sense are then compared byte for byte. Bytes that are no UTF-8 character compare as
// themselves.
#pragma once

#include <string>
#include <string_view>

namespace mvdb {

// A key whose byte order is the order above: compare two keys instead of their texts.
std::string collationKey(std::string_view text);
// The same key, appended to keys (so that many keys share one buffer).
void appendCollationKey(std::string_view text, std::string& keys);

}  // namespace mvdb
