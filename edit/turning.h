#pragma once
// Angles of the drags: degrees, positive clockwise on the page (y grows downwards).

#include <QtCore/QPoint>

namespace poremi {

// p turned about centre, rounded to whole units.
QPoint turnPoint(QPoint p, QPoint centre, double degrees);
// The vector turned about the origin, rounded.
QPoint turnVector(QPoint v, double degrees);
// The angle from the direction centre→from to centre→to, in (−180, 180].
double angleAround(QPoint centre, QPoint from, QPoint to);
// Within 0..359.
int normalizedAngle(int degrees);
// To the nearest multiple of 45°, halves away from zero.
int snapTo45(int degrees);

}  // namespace poremi
