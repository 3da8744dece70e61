#pragma once
// The geometry of a rectangle turned by an angle about its centre, shared by the turnable
// picture objects: outline, bounds, hit test and the extent rule.

#include "render/geometry/rect.h"

#include <QtGui/QPolygon>

namespace poremi {

// The corners top-left, top-right, bottom-right, bottom-left, turned clockwise by angle degrees.
QPolygon turnedRectOutline(const TRect& rect, int angle);
// The box of the turned outline; the rectangle itself when not turned.
TRect turnedRectBounds(const TRect& rect, int angle);
// Inside the turned outline; unturned, the right and bottom edges lie outside.
bool turnedRectContains(const TRect& rect, int angle, QPoint point);
// The size that makes the visual bounds width × height: turned, the stored size scaled by
// wanted over visual; otherwise the wanted size itself.
QSize turnedRectExtent(const TRect& rect, int angle, int width, int height);

}  // namespace poremi
