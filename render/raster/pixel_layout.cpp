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

bool isAcceptablePictureSize(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= maxPictureSide && height <= maxPictureSide
        && width * height <= maxPicturePixels;
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
    QImage image(width, height, QImage::Format_BGR888);
    return image;
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
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(greyColorTable());
    return image;
}

}  // namespace poremi
