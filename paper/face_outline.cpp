#include "paper/face_outline.h"

#include "base/arithmetic.h"

#include <QtGui/QPolygon>
#include <cmath>
#include <numbers>

namespace poremi {
namespace {

int rounded(double v) { return int(roundHalfEven(v)); }

// Degrees as QPainterPath::arcTo counts them: counter-clockwise on the screen from 3 o'clock.
double screenAngle(QPointF center, QPointF p) {
    double degrees = std::atan2(-(p.y() - center.y()), p.x() - center.x()) * 180.0 / std::numbers::pi;
    return degrees < 0 ? degrees + 360 : degrees;
}

double sweepTowards(double from, double to) {
    const double sweep = std::fmod(to - from + 720.0, 360.0);
    return sweep;
}

// Appends the circular arc from p (the current position) through q to r, ending exactly on r.
void arcThrough(QPainterPath& path, QPoint p, QPoint q, QPoint r) {
    const double bx = q.x() - p.x(), by = q.y() - p.y(), cx = r.x() - p.x(), cy = r.y() - p.y();
    const double d = 2 * (bx * cy - by * cx);
    if (std::fabs(d) < 1e-9) {
        path.lineTo(r);
        return;
    }
    const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    const QPointF center(p.x() + (cy * b2 - by * c2) / d, p.y() + (bx * c2 - cx * b2) / d);
    const double radius = std::hypot(p.x() - center.x(), p.y() - center.y());
    const double start = screenAngle(center, p), middle = screenAngle(center, q), end = screenAngle(center, r);
    const double counterClockwise = sweepTowards(start, end);
    const double sweep =
        sweepTowards(start, middle) <= counterClockwise ? counterClockwise : counterClockwise - 360.0;
    path.arcTo(QRectF(center.x() - radius, center.y() - radius, 2 * radius, 2 * radius), start, sweep);
    path.setElementPositionAt(path.elementCount() - 1, r.x(), r.y());
}

QRegion regionOfPath(const QPainterPath& path) {
    return QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill);
}

}  // namespace

QPainterPath barrelPath(const TRect& r) {
    const double w = rectWidth(r), h = rectHeight(r);
    const double e = std::sqrt(std::fabs((h / 2) * (h / 2) - (w / 2) * (w / 2)));
    QPainterPath path;
    if (w > h) {
        const int cy = rounded((double(r.top) + r.bottom) / 2);
        const double cx = (double(r.left) + r.right) / 2;
        const int x1 = rounded(cx - e), x2 = rounded(cx + e);
        path.moveTo(x1, r.bottom);
        arcThrough(path, {x1, r.bottom}, {r.left, cy}, {x1, r.top});
        path.lineTo(x2, r.top);
        arcThrough(path, {x2, r.top}, {r.right, cy}, {x2, r.bottom});
    } else {
        const int cx = rounded((double(r.left) + r.right) / 2);
        const double cy = (double(r.top) + r.bottom) / 2;
        const int y1 = rounded(cy - e), y2 = rounded(cy + e);
        path.moveTo(r.left, y1);
        arcThrough(path, {r.left, y1}, {cx, r.top}, {r.right, y1});
        path.lineTo(r.right, y2);
        arcThrough(path, {r.right, y2}, {cx, r.bottom}, {r.left, y2});
    }
    path.closeSubpath();
    return path;
}

QPainterPath shapePath(TFaceShape shape, const TRect& r, int roundSize) {
    QPainterPath path;
    switch (shape) {
    case fsRect:
        path.addRect(r.toQRectF());
        break;
    case fsDoughnut:
    case fsEllipse:
        path.addEllipse(r.toQRectF());
        break;
    case fsRoundRect:
    case fsRectCD:
        path.addRoundedRect(r.toQRectF(), roundSize / 2.0, roundSize / 2.0);
        break;
    case fsBarrelCD:
        path = barrelPath(r);
        break;
    }
    return path;
}

QPainterPath holePath(TCenterShape shape, const TRect& r) {
    if (shape == csBarrel) return barrelPath(r);
    QPainterPath path;
    path.addEllipse(r.toQRectF());
    return path;
}

QRegion shapeRegion(TFaceShape shape, const TRect& r, QSize roundSize) {
    if (r.isEmpty()) return {};
    switch (shape) {
    case fsRect:
        return QRegion(r.toQRect());
    case fsDoughnut:
    case fsEllipse:
        return QRegion(r.toQRect(), QRegion::Ellipse);
    case fsRoundRect:
    case fsRectCD: {
        QPainterPath path;
        path.addRoundedRect(r.toQRectF(), roundSize.width() / 2.0, roundSize.height() / 2.0);
        return regionOfPath(path);
    }
    case fsBarrelCD:
        return regionOfPath(barrelPath(r));
    }
    return {};
}

QRegion holeRegion(TCenterShape shape, const TRect& r) {
    if (r.isEmpty()) return {};
    if (shape == csBarrel) return regionOfPath(barrelPath(r));
    return QRegion(r.toQRect(), QRegion::Ellipse);
}

}  // namespace poremi
