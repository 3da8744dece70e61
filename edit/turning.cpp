#include "edit/turning.h"

#include "base/arithmetic.h"

#include <cmath>
#include <numbers>

namespace poremi {

QPoint turnVector(QPoint v, double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    const double c = std::cos(a);
    const double s = std::sin(a);
    return {int(roundHalfEven(v.x() * c - v.y() * s)), int(roundHalfEven(v.x() * s + v.y() * c))};
}

QPoint turnPoint(QPoint p, QPoint centre, double degrees) { return centre + turnVector(p - centre, degrees); }

double angleAround(QPoint centre, QPoint from, QPoint to) {
    const QPoint a = from - centre;
    const QPoint b = to - centre;
    if (a.isNull() || b.isNull()) return 0;
    double d = (std::atan2(b.y(), b.x()) - std::atan2(a.y(), a.x())) * 180 / std::numbers::pi;
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return d;
}

int normalizedAngle(int degrees) { return ((degrees % 360) + 360) % 360; }

int snapTo45(int degrees) { return (degrees + (degrees < 0 ? -22 : 22)) / 45 * 45; }

}  // namespace poremi
