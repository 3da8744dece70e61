#include "objects/shape_paint.h"

#include "document/model/draw_object.h"
#include "document/model/draw_site.h"
#include "render/raster/fill_color.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPathStroker>
#include <algorithm>
#include <cmath>

namespace poremi {

void paintThroughClip(QPainter& painter, const QPainterPath& clip, const TColorSpec& fill, const TRect& bounds) {
    if (clip.isEmpty()) return;
    painter.save();
    painter.setClipPath(clip, Qt::IntersectClip);
    fill.paint(painter, bounds.toQRect());
    painter.restore();
}

QPainterPath widenedPath(const QPainterPath& path, int width, Qt::PenCapStyle cap, Qt::PenJoinStyle join) {
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(width, 1));
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(join);
    QPainterPath widened = stroker.createStroke(path);
    widened.setFillRule(Qt::WindingFill);
    return widened;
}

bool covers(const QPainterPath& area, QPoint point) { return area.simplified().contains(QPointF(point)); }

int sitePixelsInUnits(const TDrawObject& object, int pixels, int offSite) {
    const DrawSite* site = object.site();
    if (!site) return offSite;
    return std::max(1, site->scaler().devToLogPoint(site->resolution(), QPoint(pixels, 0)).x());
}

TRect enclosingRect(const QRectF& area) {
    const auto edge = [](double v) { return static_cast<std::int32_t>(std::clamp(v, -2147483648.0, 2147483647.0)); };
    return {edge(std::floor(area.left())), edge(std::floor(area.top())), edge(std::ceil(area.right())),
            edge(std::ceil(area.bottom()))};
}

}  // namespace poremi
