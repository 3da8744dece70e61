#pragma once
// The compressed bitmap wrapper: "ZLIBCompress", 0x1A, the 32-bit little-endian length of the
// inflated data, then a zlib stream whose content is a complete BMP file.

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <cstdint>

namespace poremi {

inline constexpr char cbmSignature[] = "ZLIBCompress\x1A";
inline constexpr int cbmSignatureSize = 13;
inline constexpr int cbmHeaderSize = cbmSignatureSize + 4;

bool isCbm(QByteArrayView bytes);

// Inflates exactly the stated number of bytes (the document container's compressed-stream
// form); a hostile stated length, a broken zlib stream or one that ends short raise its error.
QByteArray inflateCbm(QByteArrayView bytes);

// The first bytes of the inflated data, at most length and never more than the stated length,
// without inflating the rest: enough to read a wrapped file's headers. A broken zlib stream
// raises the inflater's error.
QByteArray inflateCbmPrefix(QByteArrayView bytes, qsizetype length);

// Wraps a BMP file (zlib level 9, as documents are written).
QByteArray deflateToCbm(QByteArrayView bmpFile);

}  // namespace poremi
