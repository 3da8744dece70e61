#include "render/raster/pixel_layout.h"

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
