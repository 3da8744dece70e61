#include "render/raster/pixel_layout.h"

#include <iterator>

namespace poremi {

int channelBytesPerPixel(const QImage& image)
{
    if (image.isNull())
        return 0;
    switch (image.depth()) {
    case 8: return 1;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
    }
}

bool isAcceptablePictureSize(std::int64_t width, std::int64_t height, int bitsPerPixel)
{
    return width > 0 && height > 0 && width <= maxPictureSide && height <= maxPictureSide && bitsPerPixel > 0
        && bitsPerPixel <= 64 && storedRowSize(width, bitsPerPixel) * height <= maxPictureBytes;
}

QImage allocateImage(int width, int height, QImage::Format format)
{
    if (!isAcceptablePictureSize(width, height, QImage::toPixelFormat(format).bitsPerPixel()))
        throw OutOfMemoryError();
    QImage image(width, height, format);
    if (image.isNull())
        throw OutOfMemoryError();
    return image;
}

QImage convertImage(const QImage& image, QImage::Format format)
{
    if (image.isNull())
        return image;
    if (!isAcceptablePictureSize(image.width(), image.height(), QImage::toPixelFormat(format).bitsPerPixel()))
        throw OutOfMemoryError();
    QImage converted = image.convertToFormat(format);
    if (converted.isNull())
        throw OutOfMemoryError();
    return converted;
}

TColor colorToRgb(TColor color)
{
    if (color >= 0)
        return color & 0xFFFFFF;
    // The classic defaults of the system colours, by index.
    static constexpr TColor system[] = {
        0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
        0x808080, 0x808080, 0x000000, 0x000000, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
        0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xD77800, 0xC8D0D4,
    };
    const int index = color & 0xFF;
    return index < int(std::size(system)) ? system[index] : 0;
}

QImage createWorkBitmap(int width, int height)
{
    return allocateImage(width, height, QImage::Format_BGR888);
}

const QList<QRgb>& greyColorTable()
{
    static const QList<QRgb> table = [] {
        QList<QRgb> t;
        t.reserve(256);
        for (int i = 0; i < 256; ++i)
            t.append(qRgb(i, i, i));
        return t;
    }();
    return table;
}

QImage createGreyBitmap(int width, int height)
{
    QImage image = allocateImage(width, height, QImage::Format_Indexed8);
    image.setColorTable(greyColorTable());
    return image;
}

}  // namespace poremi
