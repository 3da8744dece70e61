#pragma once
// Hatch fills: one-pixel lines every 8 device pixels, aligned to the device origin, the same
// at every zoom; the background between the lines is left alone.

#include "render/raster/pixel_layout.h"

#include <QtCore/QRect>
#include <QtGui/QImage>

class QPainter;

namespace poremi {

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

inline constexpr int hatchSpacing = 8;

// Whether device pixel (x, y) lies on a line of the style: horizontal lines on rows y mod 8 = 0,
// vertical on columns x mod 8 = 0, forward diagonals (top left to bottom right) where
// x ≡ y, backward diagonals where x + y ≡ 7 (mod 8).
bool isHatchPixel(TBrushStyle style, int x, int y);

// The 8 × 8 tile of the style in colour (transparent elsewhere).
QImage hatchTile(TBrushStyle style, QRgb color);

// Draws the style's lines over rect (logical units) in colour.
void paintHatch(QPainter& painter, const QRect& rect, TBrushStyle style, QRgb color);

}  // namespace poremi
