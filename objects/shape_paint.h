#pragma once
// What the shape objects share when they paint: a fill painted through a clip path, pens
// widened into outlines, and device pixels of the object's site in document units.

#include "render/geometry/rect.h"

#include <QtGui/QPainterPath>

class QPainter;

namespace poremi {

class TColorSpec;
class TDrawObject;

// Paints bounds with fill where clip covers, inside the painter's current clip.
void paintThroughClip(QPainter& painter, const QPainterPath& clip, const TColorSpec& fill, const TRect& bounds);

// The area a geometric pen of width units covers along path (a width below 1 counts as 1).
QPainterPath widenedPath(const QPainterPath& path, int width, Qt::PenCapStyle cap, Qt::PenJoinStyle join);

// Whether area covers point. QPainterPath::contains misjudges points beside widened paths
// with round ends, so the area is simplified first.
bool covers(const QPainterPath& area, QPoint point);

// pixels device pixels of the site that shows object, in document units (at least 1); offSite
// when the object is on no site.
int sitePixelsInUnits(const TDrawObject& object, int pixels, int offSite);

// The smallest integer rectangle that holds area (Right and Bottom just outside).
TRect enclosingRect(const QRectF& area);

}  // namespace poremi
