#pragma once
// The tolerant BMP reader and the BMP writer. Reading accepts core (12-byte), information
// (40-byte) and later headers, 1/4/8/16/24/32 bits per pixel, RLE4/RLE8 and bit fields, bottom-up
// and top-down rows, and ignores the file header's size and offset fields. Every length is
// checked against the bytes present, and the size against the picture budget, before
// anything is allocated.

#include "base/error.h"

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QList>
#include <QtGui/QImage>

#include <array>
#include <cstdint>

namespace poremi {

class InvalidBitmapError : public Exception {
public:
    InvalidBitmapError() : Exception(QStringLiteral("ビットマップイメージが不正です")) {}
};

enum class DibCompression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

// A device-independent bitmap as stored: the information header's fields (a core header is
// widened to them), the colour table and the pixel data in stored row order.
struct DibImage {
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: rows stored top-down
    int bitsPerPixel = 0;
    DibCompression compression = DibCompression::Rgb;
    bool coreHeader = false;
    QList<QRgb> colorTable;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue of bit-field images
    QByteArray bits;

    bool isTopDown() const { return height < 0; }
    int absoluteHeight() const { return height < 0 ? -height : height; }
    std::int64_t rowSize() const;

    // Decodes into an image with top-down rows: 1 bit → mono, 4/8 bits → indexed 8-bit, 16 and
    // bit-field images → 32-bit RGB, 24 bits → blue-green-red 24-bit, 32 bits → 32-bit RGB.
    QImage toImage() const;
};

// Reads a BMP file (or a CBM wrapping one). Anything malformed or beyond the picture budget
// raises InvalidBitmapError; pixels that cannot be allocated raise OutOfMemoryError.
DibImage readDib(QByteArrayView bytes);
// The size a BMP or CBM file declares, from its headers alone (a CBM inflates only its first
// bytes); the headers are checked as readDib checks them, the pixel data is not looked at.
QSize bmpSize(QByteArrayView bytes);
QImage readBmp(QByteArrayView bytes);

// Reads a packed device-independent bitmap (information header, colour table, pixels) such as
// the clipboard carries, by putting a file header with only the "BM" signature in front.
QImage readPackedDib(QByteArrayView bytes);

// Writes a BMP file with a 40-byte header and bottom-up rows: mono images as 1 bit, indexed
// images as 8 bits with their colour table, everything else as 24 bits.
QByteArray writeBmp(const QImage& image);

}  // namespace poremi
