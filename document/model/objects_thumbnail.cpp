#include "document/model/objects_thumbnail.h"

#include "base/arithmetic.h"
#include "document/model/draw_object.h"
#include "paper/face_info.h"
#include "render/geometry/scaler.h"
#include "render/raster/pixel_layout.h"

#include <QtGui/QPainter>
#include <algorithm>

namespace poremi {
namespace {

constexpr int kThumbnailDpi = 96;  // the same picture on every screen

}  // namespace

QImage objectsThumbnail(const std::vector<TDrawObject*>& objects, const TFaceInfo& face, QColor outside,
                        QSize maxSize, int scale) {
    const TRect outer = face.outerRect();
    TScaler scaler;
    scaler.setUnitDpi(254);
    scaler.setScale(scale);
    const TRect pixels = scaler.logToDevRect(DeviceResolution{kThumbnailDpi, kThumbnailDpi},
                                             {0, 0, rectWidth(outer), rectHeight(outer)});
    QImage image = allocateImage(std::max(1, rectWidth(pixels)), std::max(1, rectHeight(pixels)), QImage::Format_RGB32);
    image.setDotsPerMeterX(mulDiv(kThumbnailDpi, 10000, 254));
    image.setDotsPerMeterY(mulDiv(kThumbnailDpi, 10000, 254));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        scaler.prepareCanvas(painter, kThumbnailDpi);
        painter.translate(-outer.left, -outer.top);
        for (TDrawObject* object : objects) object->paintTo(painter);
        QPainterPath around;
        around.addRect(outer.toQRectF());
        painter.fillPath(around.subtracted(face.outlinePath()), outside);
    }
    if (image.width() <= maxSize.width() && image.height() <= maxSize.height()) return image;
    return image.scaled(maxSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace poremi
