#pragma once
// Device-independent bitmaps and their scaled drawing. Pixels are shared between copies; a
// scaled draw on a raster target samples the source pixel under the centre of each destination
// pixel and only computes the part that is visible.

#include <QtCore/QByteArrayView>
#include <QtCore/QRect>
#include <QtGui/QImage>

class QPainter;

namespace poremi {

// The source index for destination index i of n: start + (length + 2·length·i) div (2n).
int nearestSourceIndex(int start, int length, int i, int n);

// The part `visible` (in destination pixels) of source rectangle S stretched to a destination
// of size D with nearest-neighbour sampling.
QImage stretchNearest(const QImage& source, const QRect& sourceRect, const QSize& destinationSize,
                      const QRect& visible);

// The device rectangle a logical rectangle covers under the painter's mapping and the part of
// it that can be seen (device bounds and clip); false when the mapping turns or shears.
bool visibleDeviceRect(const QPainter& painter, const QRect& logical, QRect& device, QRect& visible);

// True for painters that draw straight into pixels (images, raster pixmaps), where raster
// operations and direct pixel access work; false for PDF and printers.
bool isRasterTarget(const QPainter& painter);

class TDIB {
public:
    TDIB() = default;
    explicit TDIB(QImage image) : image_(std::move(image)) {}

    // Reads a BMP or CBM file.
    static TDIB fromBytes(QByteArrayView bytes);

    bool isEmpty() const { return image_.isNull() || image_.width() == 0 || image_.height() == 0; }
    const QImage& image() const { return image_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    // Draws source rectangle S (in picture pixels, top row 0) into destination D (logical units).
    void draw(QPainter& painter, const QRect& destination, const QRect& source) const;
    void draw(QPainter& painter, const QRect& destination) const { draw(painter, destination, image_.rect()); }

private:
    QImage image_;
};

}  // namespace poremi
