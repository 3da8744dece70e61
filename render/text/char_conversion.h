#pragma once
// The Japanese character conversions of text layout, searching and replacing. Only the
// characters that are single bytes in CP932 (ASCII and half-width katakana) are widened;
// everything else passes unchanged.

#include <QtCore/QString>

namespace poremi {

// Half width to full width; a voiced or semi-voiced mark joins the character before it.
// excluded is copied unchanged (the "-" of the MinusExc option).
QString hanToZen(const QString& text, QChar excluded = QChar());
// Full-width digits ０–９ to the kanji numerals 〇一二…九.
QString numToKnj(const QString& text);
// Full width to half width: the inverse of hanToZen for katakana, symbols, digits and letters.
QString zenToHan(const QString& text);
// Hiragana to katakana.
QString hiraToKata(const QString& text);

}  // namespace poremi
