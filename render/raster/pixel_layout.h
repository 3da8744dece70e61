#pragma once
// Row and pixel arithmetic shared by every bitmap operation.

#include "base/error.h"

#include <QtGui/QImage>
#include <cstdint>

namespace poremi {

// A colour as documents store it: 0x00BBGGRR; negative values name system colours.
using TColor = std::int32_t;

// Stored rows are padded to 32 bits.
constexpr std::int64_t storedRowSize(std::int64_t width, int bitsPerPixel, int planes = 1)
{
    return ((width * bitsPerPixel * planes + 31) / 32) * 4;
}

// 1 for 8-bit, 3 for 24-bit, 4 for 32-bit images; 0 for every other pixel format, which the
// byte-channel operations (resampling, blur) leave alone.
int channelBytesPerPixel(const QImage& image);

// The budget of one picture: at most 20,000 pixels a side and at most 256 MiB of stored rows
// (padded to 32 bits) at the given depth, so that a hostile header cannot demand gigabytes.
// Decoders check it with the default depth of 32 bits before they allocate anything: every
// picture may become a 32-bit work bitmap (filters, textures, transparency), which must fit too.
constexpr std::int64_t maxPictureSide = 20000;
constexpr std::int64_t maxPictureBytes = 256LL * 1024 * 1024;
bool isAcceptablePictureSize(std::int64_t width, std::int64_t height, int bitsPerPixel = 32);

// Raised where memory for pixels cannot be had: a size beyond the budget or a failed allocation.
class OutOfMemoryError : public Exception {
public:
    OutOfMemoryError() : Exception(QStringLiteral("メモリが不足しています")) {}
};

// A new image of the size and format, or OutOfMemoryError: never a null image to write into.
QImage allocateImage(int width, int height, QImage::Format format);
// The image converted to the format, or OutOfMemoryError (a null source stays null).
QImage convertImage(const QImage& image, QImage::Format format);

// A colour in the stored 0x00BBGGRR layout, converted to and from Qt's 0xAARRGGBB.
constexpr QRgb qRgbFromColorRef(std::uint32_t color)
{
    return 0xFF000000u | ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
constexpr std::uint32_t colorRefFromQRgb(QRgb rgb)
{
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

// The RGB value of a colour (0x00BBGGRR); system colours become their usual values.
TColor colorToRgb(TColor color);

// A 24-bit work bitmap: bytes blue, green, red per pixel, rows padded to 32 bits; allocated
// through allocateImage.
QImage createWorkBitmap(int width, int height);

// The 256-entry grey colour table (entry i = red i, green i, blue i) of 8-bit masks and
// coverage maps, and an 8-bit bitmap that carries it.
const QList<QRgb>& greyColorTable();
QImage createGreyBitmap(int width, int height);

}  // namespace poremi
