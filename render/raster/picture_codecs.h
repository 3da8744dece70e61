#pragma once
// Decoders and encoders of the compressed picture formats (libjpeg-turbo, libpng, giflib).
// Broken data and pictures beyond the picture budget raise PictureDecodeError, pixels that
// cannot be allocated OutOfMemoryError. The size readers look at the headers only and check
// them as the decoders do.

#include "base/error.h"

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QSize>
#include <QtGui/QImage>

namespace poremi {

class PictureDecodeError : public Exception {
public:
    PictureDecodeError() : Exception(QStringLiteral("イメージの読み込みに失敗しました")) {}
};

// Reduced-scale decoding for thumbnails: 1, 2, 4 or 8 (one half, a quarter, an eighth). The
// full size must fit the budget; progressive files of more than 100 scans are refused.
QImage decodeJpeg(QByteArrayView bytes, int scaleDenominator = 1);
// The picture's full size without decoding the pixels.
QSize jpegSize(QByteArrayView bytes);
// 24-bit output with the library's default settings (quality 75).
QByteArray encodeJpeg(const QImage& image, int quality = 75);

QImage decodePng(QByteArrayView bytes);
QSize pngSize(QByteArrayView bytes);
QByteArray encodePng(const QImage& image);

// The first frame on the logical screen, 8-bit indexed; a transparent index gets alpha 0.
QImage decodeGif(QByteArrayView bytes);
QSize gifSize(QByteArrayView bytes);

}  // namespace poremi
