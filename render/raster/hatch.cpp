#include "render/raster/hatch.h"

#include "render/raster/canvas_guards.h"

#include <QtGui/QPainter>

namespace poremi {

bool isHatchPixel(TBrushStyle style, int x, int y)
{
    const int px = ((x % hatchSpacing) + hatchSpacing) % hatchSpacing;
    const int py = ((y % hatchSpacing) + hatchSpacing) % hatchSpacing;
    const bool horizontal = py == 0, vertical = px == 0;
    const bool forward = px == py, backward = px + py == hatchSpacing - 1;
    switch (style) {
    case TBrushStyle::bsHorizontal: return horizontal;
    case TBrushStyle::bsVertical: return vertical;
    case TBrushStyle::bsFDiagonal: return forward;
    case TBrushStyle::bsBDiagonal: return backward;
    case TBrushStyle::bsCross: return horizontal || vertical;
    case TBrushStyle::bsDiagCross: return forward || backward;
    case TBrushStyle::bsSolid: return true;
    case TBrushStyle::bsClear: return false;
    }
    return false;
}

QImage hatchTile(TBrushStyle style, QRgb color)
{
    QImage tile(hatchSpacing, hatchSpacing, QImage::Format_ARGB32);
    for (int y = 0; y < hatchSpacing; ++y)
        for (int x = 0; x < hatchSpacing; ++x)
            tile.setPixel(x, y, isHatchPixel(style, x, y) ? (color | 0xFF000000u) : 0u);
    return tile;
}

void paintHatch(QPainter& painter, const QRect& rect, TBrushStyle style, QRgb color)
{
    if (rect.isEmpty() || style == TBrushStyle::bsClear)
        return;
    const QRect device = painter.combinedTransform().mapRect(QRectF(rect)).toAlignedRect();
    TCanvasSaver saver(painter, true);
    TCoordinateMap map(painter);
    map.useDeviceUnits();
    painter.setBrushOrigin(0, 0);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(device, QBrush(hatchTile(style, color)));
}

}  // namespace poremi
