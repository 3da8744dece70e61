#pragma once
// Outlines of face shapes on a rectangle: as painter paths (vector, for drawing and clipping)
// and as regions (pixel sets, for hit tests and overlap tests).

#include "paper/face_types.h"
#include "render/geometry/rect.h"

#include <QtGui/QPainterPath>
#include <QtGui/QRegion>

namespace poremi {

// The part of r covered by the circle whose diameter is r's longer side, centred on r: two
// arcs joined by straight edges where r's shorter sides cut the circle.
QPainterPath barrelPath(const TRect& r);

// The outer outline of a face shape: rectangle, inscribed ellipse, rounded rectangle with
// corner ellipses roundSize × roundSize, or barrel.
QPainterPath shapePath(TFaceShape shape, const TRect& r, int roundSize);
QPainterPath holePath(TCenterShape shape, const TRect& r);

// The same as regions; roundSize is the corner ellipse's size (width, height).
QRegion shapeRegion(TFaceShape shape, const TRect& r, QSize roundSize);
QRegion holeRegion(TCenterShape shape, const TRect& r);

}  // namespace poremi
