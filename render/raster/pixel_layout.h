#pragma once
// Row and pixel arithmetic shared by every bitmap operation.

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

// The largest picture any decoder accepts: a side of at most 20,000 pixels and at most
// 100 million pixels in all, so that a hostile header cannot demand gigabytes.
constexpr std::int64_t maxPictureSide = 20000;
constexpr std::int64_t maxPicturePixels = 100'000'000;
bool isAcceptablePictureSize(std::int64_t width, std::int64_t height);

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

// A 24-bit work bitmap: bytes blue, green, red per pixel, rows padded to 32 bits.
QImage createWorkBitmap(int width, int height);

// The 256-entry grey colour table (entry i = red i, green i, blue i) of 8-bit masks and
// coverage maps, and an 8-bit bitmap that carries it.
const QList<QRgb>& greyColorTable();
QImage createGreyBitmap(int width, int height);

}  // namespace poremi
