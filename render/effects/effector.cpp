#include "render/effects/effector.h"

#include "render/raster/pixel_layout.h"

#include <QtCore/QtEndian>

namespace poremi {

// Format_RGB32 keeps its bytes as blue, green, red, 0xFF only on little-endian machines.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the pixel effects assume little-endian 32-bit pixels");

int effectBytesPerPixel(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_BGR888: return 3;
    case QImage::Format_RGB32: return 4;
    default: return 0;
    }
}

void TGREffector::execute(QImage& destination) const
{
    if (effectBytesPerPixel(source_) == 0 || sourceRect_.isEmpty())
        return;
    const TRect whole{0, 0, source_.width(), source_.height()};
    if (intersectRect(sourceRect_, whole) != sourceRect_
        || !isAcceptablePictureSize(rectWidth(sourceRect_), rectHeight(sourceRect_)))
        return;
    QImage result(rectWidth(sourceRect_), rectHeight(sourceRect_), source_.format());
    if (result.isNull())
        return;
    if (run(source_, sourceRect_.toQRect(), result))
        destination = std::move(result);
}

}  // namespace poremi
