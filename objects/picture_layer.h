#pragma once
// Composing a picture object off the target: the part of the object's bounds that the target
// shows is rendered into images of device pixels, combined there (masks, blends) and drawn as
// one image, so that screens, bitmaps, PDF files and printers all show the same pixels.

#include "render/geometry/rect.h"

#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QTransform>

namespace poremi {

class DeviceLayer {
public:
    // Layers larger than this many pixels are rendered at a lower resolution and stretched.
    static constexpr qint64 maxPixels = 16LL * 1024 * 1024;

    // bounds in the painter's logical units, grown by a margin, within the painter's clip and
    // device.
    DeviceLayer(const QPainter& painter, const TRect& bounds);

    bool isEmpty() const { return size_.isEmpty(); }
    QSize size() const { return size_; }
    // A new image of the layer, filled; OutOfMemoryError when it cannot be had.
    QImage newImage(QImage::Format format, const QColor& fill) const;
    // Sets a painter on a layer image to the target's logical units.
    void prepare(QPainter& onLayer) const;
    // Draws a layer image where the layer lies on the target.
    void draw(QPainter& target, const QImage& image) const;

private:
    QRect deviceRect_;
    QSize size_;
    QTransform toLayer_;
    QPainter::RenderHints hints_;
};

// The brightness of every pixel as an 8-bit grey bitmap (0 black .. 255 white).
QImage greyOf(const QImage& image);
// Multiplies the alpha of a premultiplied 32-bit image by an 8-bit coverage of the same size.
void applyCoverage(QImage& premultiplied, const QImage& coverage);

}  // namespace poremi
