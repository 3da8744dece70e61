#pragma once
// Circles and arcs through points, chords with a bulge, and arcs drawn as poly-lines or bands:
// the geometry of arc text, curve objects and their editing. Angles are radians measured with
// atan2 on y-downwards coordinates (so they grow clockwise on the page), each in 0…2π; an arc
// runs from its start angle towards growing angles to its end angle.

#include "render/geometry/rect.h"

#include <QtCore/QPoint>
#include <QtCore/QPointF>

class QPainterPath;

namespace poremi {

struct TArcInfo {
    int centerX = 0;
    int centerY = 0;
    int radius = 0;
    long double startAngle = 0;
    long double endAngle = 0;

    friend bool operator==(const TArcInfo&, const TArcInfo&) = default;
    bool isEmpty() const { return radius == 0; }
};

struct TCircle {
    QPoint center;
    long double radius = 0;
};

// The circle through three points; nearly collinear points (|cross product| < 0.1) give the
// rounded centroid and its distance to q.
TCircle circleThrough3(QPoint p, QPoint q, QPoint r);
// The arc from p to r on the circle through p, q and r (radius rounded); empty when the
// radius is below 1.
TArcInfo arcFrom3(QPoint p, QPoint q, QPoint r);

struct TChordArc {
    TArcInfo arc;
    bool valid = false;
};
// The arc over the chord p1–p2 whose sagitta is |bulge|: a positive bulge lies on the left of
// the direction p1→p2 as seen on the page (above a chord drawn left to right), a negative one
// on the right. Invalid for a bulge of 1 or more over a chord shorter than 0.9.
TChordArc arcFromChord(QPoint p1, QPoint p2, int bulge);
// The top of that arc: the chord's midpoint moved by bulge (clamped to ±4000) across it.
QPoint apexFromChord(QPoint p1, QPoint p2, int bulge);
// Sign of (q − p) × (r − p): 1 when p, q, r turn clockwise on the page, −1 the other way.
int orientation(QPoint p, QPoint q, QPoint r);
// The signed bulge of the arc through p, apex and r, so that arcFromChord(p, r, result) gives
// that arc again; 0 for collinear points.
int sagittaFrom3(QPoint p, QPoint apex, QPoint r);

struct TArcPoints {
    QPoint start;
    QPoint middle;
    QPoint end;
};
TArcPoints arcPoints(const TArcInfo& arc);
// Box of the end points, grown to centre ± radius at every axis extreme the arc passes.
TRect arcBounds(const TArcInfo& arc);

// The arc from p through q to r as an open poly-line; shallow arcs (sagitta ≤ 20) and huge
// circles (radius > 7999) follow the parabola through the three points instead.
void drawArc3(QPainterPath& path, QPoint p, QPoint q, QPoint r);
// The same arc as a closed band penWidth wide (half on each side).
void drawBand3(QPainterPath& path, QPoint p, QPoint q, QPoint r, int penWidth);

}  // namespace poremi
