#pragma once
// Scrambling of stored passwords, byte by byte on the CP932 text. The same routine scrambles
// and unscrambles; scrambled bytes may take any value from 1 to 255, so they are stored as bytes.

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace poremi {

QByteArray scrambleBytes(const QByteArray& bytes);

// A password in the form kept in the settings store, and back.
QByteArray scramblePassword(const QString& password);
QString unscramblePassword(const QByteArray& stored);

// Settings-key values holding scrambled passwords.
void writeScrambledSetting(const QString& name, const QString& password);
QString readScrambledSetting(const QString& name);

}  // namespace poremi
