#pragma once
// Decoders and encoders of the compressed picture formats (libjpeg-turbo, libpng, giflib).
// Broken data and pictures beyond the accepted size raise PictureDecodeError.

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

// Reduced-scale decoding for thumbnails: 1, 2, 4 or 8 (one half, a quarter, an eighth).
QImage decodeJpeg(QByteArrayView bytes, int scaleDenominator = 1);
// The picture's full size without decoding the pixels.
QSize jpegSize(QByteArrayView bytes);
// 24-bit output with the library's default settings (quality 75).
QByteArray encodeJpeg(const QImage& image, int quality = 75);

QImage decodePng(QByteArrayView bytes);
QByteArray encodePng(const QImage& image);

// The first frame on the logical screen, 8-bit indexed; a transparent index gets alpha 0.
QImage decodeGif(QByteArrayView bytes);

}  // namespace poremi
