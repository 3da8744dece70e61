#pragma once
// CP932 (Shift-JIS as Windows writes it) at byte boundaries; QString everywhere else.
// iconv's "CP932" is used rather than "SHIFT_JIS", which maps 0x5C, 0x7E and "～" differently.

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QString>

namespace poremi::cp932 {

// Encodes text; characters CP932 cannot hold become '?'. *lossless tells whether none did.
QByteArray encode(const QString& text, bool* lossless = nullptr);

// Decodes CP932 bytes; invalid sequences become U+FFFD.
QString decode(QByteArrayView bytes);

// True when every character of text has a CP932 form.
bool canEncode(const QString& text);

// Length of text in CP932 bytes (unrepresentable characters count as one byte, as '?').
qsizetype byteLength(const QString& text);

}  // namespace poremi::cp932
