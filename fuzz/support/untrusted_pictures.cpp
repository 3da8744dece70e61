#include "fuzz/support/untrusted_pictures.h"

#include "base/error.h"
#include "render/raster/bmp_reader.h"
#include "render/raster/graphic.h"
#include "render/raster/safety_bitmap.h"

#include <QtGui/QPainter>

namespace poremi::test {

namespace {

// Drawing touches every pixel and palette index the reader produced.
void drawSmall(const QImage& image)
{
    QImage target(16, 16, QImage::Format_RGB32);
    QPainter painter(&target);
    TSafetyBitmap bitmap(image);
    bitmap.draw(painter, QRect(0, 0, 16, 16));
    bitmap.setTransparentColor(0xFFFFFF);
    bitmap.setTransparent(true);
    bitmap.draw(painter, QRect(0, 0, 16, 16));
}

}  // namespace

void readUntrustedBitmap(QByteArrayView bytes)
{
    try {
        drawSmall(readBmp(bytes));
    } catch (const Exception&) {
    }
}

void readUntrustedPictureData(QByteArrayView bytes)
{
    try {
        const auto graphic = readPictureData(bytes);
        if (graphic) {
            const QByteArray again = writePictureData(*graphic);
            if (again != bytes)
                std::abort();
            drawSmall(graphic->image());
        }
    } catch (const Exception&) {
    }
}

}  // namespace poremi::test
