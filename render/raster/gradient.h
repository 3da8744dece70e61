#pragma once
// The gradient engine: every gradient is rendered through a 128 × 128 map of indices into a
// 1024-entry colour table, then stretched onto the target (screens) or resampled linearly to
// the target's size in logical units (printers), only over the part that the clip leaves.

#include "render/raster/pixel_layout.h"

#include <QtCore/QList>
#include <QtCore/QRect>
#include <QtGui/QImage>

#include <array>
#include <cstdint>

class QPainter;

namespace poremi {

enum class GradationKind {
    rgkSimple,
    rgkBoxToRim,
    rgkBoxToCenter,
    rgkCircleToRim,
    rgkCircleToCenter,
    rgkConeClockwise,
    rgkConeCounterClockwise,
};

inline constexpr int gradientMapSize = 128;
inline constexpr int gradientTableSize = 1024;

// Row-major, index [row × 128 + col], values 0…1023.
using GradientIndexMap = std::array<std::uint16_t, gradientMapSize * gradientMapSize>;
using GradientColorTable = std::array<QRgb, gradientTableSize>;

GradientIndexMap gradientIndexMap(GradationKind kind, int angle);
// The first stop lies at index 0 (the centre), or at 1023 (the rim) for the shapes that run
// towards the rim and for the clockwise cone; cones close the loop back to the first stop.
GradientColorTable gradientColorTable(const QList<TColor>& stops, GradationKind kind);
// The 128 × 128 24-bit image: table[map[row][col]] per pixel.
QImage gradientMasterImage(const QList<TColor>& stops, int angle, GradationKind kind);

// Paints rect (logical units). Nothing for an empty rectangle or an empty stop list.
void paintGradient(QPainter& painter, const QRect& rect, const QList<TColor>& stops, int angle,
                   GradationKind kind);

}  // namespace poremi
