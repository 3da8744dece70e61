#pragma once
// Maps a source bitmap onto any convex quadrilateral of a new bitmap (turned pictures, masks
// and decorated rules): the bitmap covers the corners' bounding box, is cleared with the
// background, and every pixel whose centre lies inside the quadrilateral takes the source
// pixel at the affinely interpolated source position (nearest pixel, 16.16 fixed-point steps
// along each row). Both source coordinates are clamped, so no quadrilateral reads outside the
// source.

#include <QtCore/QPoint>
#include <QtGui/QColor>
#include <QtGui/QImage>

#include <array>

namespace poremi {

// Where the source's top-left, top-right, bottom-right and bottom-left corners land.
using Quadrilateral = std::array<QPoint, 4>;

struct MappedBitmap {
    // Of the source's format (8, 16, 24 or 32 bits per pixel); null when the source has
    // another format, the corners enclose no area or the box is too large for a bitmap.
    QImage image;
    // The bounding box's top-left corner: where image belongs in the corners' coordinates.
    QPoint origin;
};

MappedBitmap mapOntoQuadrilateral(const QImage& source, const Quadrilateral& corners, const QColor& background);

}  // namespace poremi
