#include "objects/picture_layer.h"

#include "render/raster/pixel_layout.h"

#include <QtGui/QPainter>

#include <cmath>

namespace poremi {

DeviceLayer::DeviceLayer(const QPainter& painter, const TRect& bounds) : hints_(painter.renderHints()) {
    const QTransform toDevice = painter.combinedTransform();
    // A margin for antialiased edges.
    QRect area = toDevice.mapRect(inflateRect(normalizeRect(bounds), 5, 5).toQRectF()).toAlignedRect();
    if (painter.hasClipping()) area &= toDevice.mapRect(painter.clipBoundingRect()).toAlignedRect();
    if (const QPaintDevice* device = painter.device()) area &= QRect(0, 0, device->width(), device->height());
    if (area.isEmpty()) return;
    deviceRect_ = area;
    const double pixels = double(area.width()) * area.height();
    const double scale = pixels > double(maxPixels) ? std::sqrt(double(maxPixels) / pixels) : 1.0;
    size_ = QSize(std::max(1, int(area.width() * scale)), std::max(1, int(area.height() * scale)));
    toLayer_ = toDevice * QTransform::fromTranslate(-area.x(), -area.y()) *
               QTransform::fromScale(double(size_.width()) / area.width(), double(size_.height()) / area.height());
}

QImage DeviceLayer::newImage(QImage::Format format, const QColor& fill) const {
    QImage image = allocateImage(size_.width(), size_.height(), format);
    image.fill(fill);
    return image;
}

void DeviceLayer::prepare(QPainter& onLayer) const {
    onLayer.setRenderHints(hints_);
    onLayer.setTransform(toLayer_);
}

void DeviceLayer::draw(QPainter& target, const QImage& image) const {
    target.save();
    target.resetTransform();
    target.drawImage(QRectF(deviceRect_), image);
    target.restore();
}

QImage greyOf(const QImage& image) { return convertImage(image, QImage::Format_Grayscale8); }

void applyCoverage(QImage& premultiplied, const QImage& coverage) {
    const int height = std::min(premultiplied.height(), coverage.height());
    const int width = std::min(premultiplied.width(), coverage.width());
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(premultiplied.scanLine(y));
        const uchar* cover = coverage.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            const uint c = cover[x];
            const QRgb p = row[x];
            // Every channel of a premultiplied pixel scales with its alpha.
            const auto scale = [c](uint v) { return (v * c + 127) / 255; };
            row[x] = qRgba(scale(qRed(p)), scale(qGreen(p)), scale(qBlue(p)), scale(qAlpha(p)));
        }
    }
}

}  // namespace poremi
