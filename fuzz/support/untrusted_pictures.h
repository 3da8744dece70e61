#pragma once
// Feeding untrusted bytes to the bitmap and picture-data readers, as the fuzz targets and the
// seed-corpus tests do: a clean error is fine, anything else is a fault.

#include <QtCore/QByteArrayView>

namespace poremi::test {

void readUntrustedBitmap(QByteArrayView bytes);
void readUntrustedPictureData(QByteArrayView bytes);

}  // namespace poremi::test
