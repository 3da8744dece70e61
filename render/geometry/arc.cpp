#include "render/geometry/arc.h"

#include "base/arithmetic.h"

#include <QtGui/QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace poremi {
namespace {

using Real = long double;
constexpr Real kPi = std::numbers::pi_v<long double>;
constexpr Real kTwoPi = 2 * kPi;
constexpr int kFlatSagitta = 20;
constexpr int kHugeRadius = 7999;
constexpr int kParabolaPieces = 8;

int rounded(Real v) { return int(roundHalfEven(double(v))); }

Real cross(QPoint a, QPoint b, QPoint c) {
    return Real(b.x() - a.x()) * (c.y() - a.y()) - Real(b.y() - a.y()) * (c.x() - a.x());
}

Real normalized(Real angle) {
    angle = std::fmod(angle, kTwoPi);
    if (angle < 0) angle += kTwoPi;
    return angle;
}

Real angleOf(QPoint center, QPoint p) { return normalized(std::atan2(Real(p.y() - center.y()), Real(p.x() - center.x()))); }

QPoint onCircle(QPoint center, Real radius, Real angle) {
    return {rounded(center.x() + radius * std::cos(angle)), rounded(center.y() + radius * std::sin(angle))};
}

// The parabola through p (t = 0), q (t = ½) and r (t = 1) and its derivative.
QPointF parabolaAt(QPoint p, QPoint q, QPoint r, double t) {
    const double a = 2 * (t - 0.5) * (t - 1), b = -4 * t * (t - 1), c = 2 * t * (t - 0.5);
    return QPointF(p) * a + QPointF(q) * b + QPointF(r) * c;
}
QPointF parabolaSlope(QPoint p, QPoint q, QPoint r, double t) {
    const double a = 4 * t - 3, b = -8 * t + 4, c = 4 * t - 1;
    return QPointF(p) * a + QPointF(q) * b + QPointF(r) * c;
}

QPoint roundedPoint(QPointF p) { return {rounded(p.x()), rounded(p.y())}; }

bool followsParabola(QPoint p, QPoint q, QPoint r, const TCircle& circle) {
    return std::abs(sagittaFrom3(p, q, r)) <= kFlatSagitta || circle.radius > kHugeRadius;
}

// Start angle and growing span of the arc from p through q to r.
struct Sweep {
    Real start = 0;
    Real span = 0;
};
Sweep sweepOf(QPoint center, QPoint p, QPoint q, QPoint r) {
    Real from = angleOf(center, p), to = angleOf(center, r);
    if (orientation(p, q, r) < 0) std::swap(from, to);
    if (from > to) from -= kTwoPi;
    return {from, to - from};
}

}  // namespace

TCircle circleThrough3(QPoint p, QPoint q, QPoint r) {
    const Real d = cross(p, q, r);
    if (std::fabs(d) < 0.1L) {
        const QPoint centroid(rounded((Real(p.x()) + q.x() + r.x()) / 3), rounded((Real(p.y()) + q.y() + r.y()) / 3));
        return {centroid, std::hypot(Real(q.x() - centroid.x()), Real(q.y() - centroid.y()))};
    }
    const Real bx = q.x() - p.x(), by = q.y() - p.y(), cx = r.x() - p.x(), cy = r.y() - p.y();
    const Real b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    const Real ux = (cy * b2 - by * c2) / (2 * d), uy = (bx * c2 - cx * b2) / (2 * d);
    return {QPoint(rounded(p.x() + ux), rounded(p.y() + uy)), std::hypot(ux, uy)};
}

TArcInfo arcFrom3(QPoint p, QPoint q, QPoint r) {
    const TCircle circle = circleThrough3(p, q, r);
    const int radius = rounded(circle.radius);
    if (radius < 1) return {};
    TArcInfo arc{circle.center.x(), circle.center.y(), radius, angleOf(circle.center, p), angleOf(circle.center, r)};
    // The record runs towards growing angles: the arc through q may start at r.
    if (orientation(p, q, r) < 0) std::swap(arc.startAngle, arc.endAngle);
    return arc;
}

TChordArc arcFromChord(QPoint p1, QPoint p2, int bulge) {
    const Real dx = p2.x() - p1.x(), dy = p2.y() - p1.y();
    const Real length = std::hypot(dx, dy);
    const Real b = std::abs(bulge);
    const QPointF mid((p1.x() + p2.x()) / 2.0, (p1.y() + p2.y()) / 2.0);
    TChordArc result;
    QPoint center;
    if (b >= 1) {
        if (length < 0.9L) return result;
        const Real radius = std::trunc(length * length / (8 * b) + b / 2);
        const Real f = (radius - b) / length * (bulge > 0 ? 1 : -1);
        center = QPoint(rounded(mid.x() - dy * f), rounded(mid.y() + dx * f));
        result.arc.radius = int(radius);
    } else {
        center = roundedPoint(mid);
        result.arc.radius = int(length / 2);
    }
    result.arc.centerX = center.x();
    result.arc.centerY = center.y();
    result.arc.startAngle = angleOf(center, p1);
    result.arc.endAngle = angleOf(center, p2);
    if (bulge < 0) std::swap(result.arc.startAngle, result.arc.endAngle);
    result.valid = true;
    return result;
}

QPoint apexFromChord(QPoint p1, QPoint p2, int bulge) {
    const double dx = p2.x() - p1.x(), dy = p2.y() - p1.y();
    const double length = std::hypot(dx, dy);
    const QPointF mid((p1.x() + p2.x()) / 2.0, (p1.y() + p2.y()) / 2.0);
    if (length < 0.1) return roundedPoint(mid);
    const double b = std::clamp(bulge, -4000, 4000);
    return roundedPoint(mid + QPointF(dy, -dx) * (b / length));
}

int orientation(QPoint p, QPoint q, QPoint r) {
    const Real c = cross(p, q, r);
    return c > 0 ? 1 : (c < 0 ? -1 : 0);
}

int sagittaFrom3(QPoint p, QPoint apex, QPoint r) {
    const int turn = orientation(p, apex, r);
    if (turn == 0) return 0;
    const TCircle circle = circleThrough3(p, apex, r);
    const Real midX = (Real(p.x()) + r.x()) / 2, midY = (Real(p.y()) + r.y()) / 2;
    const Real d = circle.radius - std::hypot(circle.center.x() - midX, circle.center.y() - midY);
    if (d < -1) return 0;
    const bool sameSide = (cross(p, r, circle.center) > 0) == (cross(p, r, apex) > 0);
    const Real sagitta = sameSide ? 2 * circle.radius - d : d;
    return int(std::trunc(turn > 0 ? sagitta : -sagitta));
}

TArcPoints arcPoints(const TArcInfo& arc) {
    const QPoint center(arc.centerX, arc.centerY);
    Real middle = (arc.startAngle + arc.endAngle) / 2;
    if (arc.startAngle > arc.endAngle) middle += kPi;
    return {onCircle(center, arc.radius, arc.startAngle), onCircle(center, arc.radius, middle),
            onCircle(center, arc.radius, arc.endAngle)};
}

TRect arcBounds(const TArcInfo& arc) {
    const TArcPoints ends = arcPoints(arc);
    TRect box{std::min(ends.start.x(), ends.end.x()), std::min(ends.start.y(), ends.end.y()),
              std::max(ends.start.x(), ends.end.x()), std::max(ends.start.y(), ends.end.y())};
    Real span = arc.endAngle - arc.startAngle;
    if (span < 0) span += kTwoPi;
    const auto passes = [&](Real angle) { return normalized(angle - arc.startAngle) <= span; };
    if (passes(0)) box.right = std::max(box.right, arc.centerX + arc.radius);
    if (passes(kPi / 2)) box.bottom = std::max(box.bottom, arc.centerY + arc.radius);
    if (passes(kPi)) box.left = std::min(box.left, arc.centerX - arc.radius);
    if (passes(3 * kPi / 2)) box.top = std::min(box.top, arc.centerY - arc.radius);
    return box;
}

void drawArc3(QPainterPath& path, QPoint p, QPoint q, QPoint r) {
    std::vector<QPoint> points;
    const TCircle circle = circleThrough3(p, q, r);
    if (followsParabola(p, q, r, circle)) {
        for (int k = 0; k <= kParabolaPieces; ++k)
            points.push_back(roundedPoint(parabolaAt(p, q, r, double(k) / kParabolaPieces)));
    } else {
        const Real radius = std::trunc(circle.radius);
        const Sweep sweep = sweepOf(circle.center, p, q, r);
        const Real step = 2 * kPi / 180;
        const auto at = [&](Real a) {
            return QPoint(circle.center.x() + int(std::trunc(radius * std::cos(a))),
                          circle.center.y() + int(std::trunc(radius * std::sin(a))));
        };
        for (int k = 0; k * step < sweep.span - 1e-9L; ++k) points.push_back(at(sweep.start + k * step));
        points.push_back(at(sweep.start + sweep.span));
        if (orientation(p, q, r) < 0) std::reverse(points.begin(), points.end());
    }
    path.moveTo(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(points[i]);
}

void drawBand3(QPainterPath& path, QPoint p, QPoint q, QPoint r, int penWidth) {
    std::vector<QPoint> outer, inner;
    const TCircle circle = circleThrough3(p, q, r);
    if (followsParabola(p, q, r, circle)) {
        const double offset = penWidth / 2.0 + 0.5;
        for (int k = 0; k <= kParabolaPieces; ++k) {
            const double t = double(k) / kParabolaPieces;
            const QPointF at = parabolaAt(p, q, r, t);
            QPointF slope = parabolaSlope(p, q, r, t);
            const double length = std::hypot(slope.x(), slope.y());
            const QPointF normal = length > 0 ? QPointF(-slope.y(), slope.x()) / length : QPointF();
            outer.push_back(roundedPoint(at + normal * offset));
            inner.push_back(roundedPoint(at - normal * offset));
        }
    } else {
        const Real half = penWidth / 2.0L;
        const Real outerRadius = circle.radius + half;
        const Real innerRadius = std::max<Real>(0, circle.radius - half);
        const int perCircle = circle.radius >= 500 ? 90 : 60;
        const Sweep sweep = sweepOf(circle.center, p, q, r);
        const int steps = std::max(1, int(std::ceil(sweep.span * perCircle / kTwoPi)));
        for (int k = 0; k <= steps; ++k) {
            const Real a = sweep.start + sweep.span * k / steps;
            outer.push_back(onCircle(circle.center, outerRadius, a));
            inner.push_back(onCircle(circle.center, innerRadius, a));
        }
    }
    path.moveTo(outer.front());
    for (std::size_t i = 1; i < outer.size(); ++i) path.lineTo(outer[i]);
    for (auto it = inner.rbegin(); it != inner.rend(); ++it) path.lineTo(*it);
    path.closeSubpath();
}

}  // namespace poremi
