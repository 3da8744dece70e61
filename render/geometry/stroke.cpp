#include "render/geometry/stroke.h"

#include "base/arithmetic.h"

#include <QtGui/QPainterPath>
#include <algorithm>
#include <cmath>

namespace poremi {
namespace {

constexpr double kKappa = 0.5522847;
constexpr double kMaxPiece = 8.0;
constexpr int kCubicPieces = 63;

int rounded(double v) { return int(roundHalfEven(v)); }
QPoint rounded(QPointF p) { return {rounded(p.x()), rounded(p.y())}; }

bool closes(std::uint8_t type) { return type == ptLineToClose || type == ptBezierToClose; }

// Points strictly between a and b, kMaxPiece apart from a.
template <typename Add>
void piecesBetween(QPoint a, QPoint b, Add add) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double length = std::hypot(dx, dy);
    for (int k = 1; k * kMaxPiece < length; ++k) {
        const double f = k * kMaxPiece / length;
        add(QPoint(rounded(a.x() + dx * f), rounded(a.y() + dy * f)));
    }
}

QPointF cubicAt(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double t) {
    const double s = 1 - t;
    return p0 * (s * s * s) + p1 * (3 * s * s * t) + p2 * (3 * s * t * t) + p3 * (t * t * t);
}

}  // namespace

void TStroke::clear() {
    points_.clear();
    types_.clear();
}

void TStroke::addPoint(int x, int y, TPointType type) {
    points_.emplace_back(x, y);
    types_.push_back(type);
}

TRect TStroke::getBoundsRect() const {
    if (points_.empty()) return {};
    TRect box{points_[0].x(), points_[0].y(), points_[0].x(), points_[0].y()};
    for (const QPoint& p : points_) {
        box.left = std::min(box.left, p.x());
        box.top = std::min(box.top, p.y());
        box.right = std::max(box.right, p.x());
        box.bottom = std::max(box.bottom, p.y());
    }
    return box;
}

void TStroke::appendPath(const QPainterPath& path) {
    int figureStart = -1;  // index in points_ of the current figure's move-to
    const auto finishFigure = [&] {
        if (figureStart < 0 || count() - figureStart < 2) return;
        const std::size_t last = points_.size() - 1;
        if (points_[last] != points_[std::size_t(figureStart)]) return;
        if (types_[last] == ptLineTo) {
            // The closing line is implicit in a closed figure.
            points_.pop_back();
            types_.pop_back();
            types_.back() = types_.back() == ptBezierTo ? ptBezierToClose : ptLineToClose;
            if (count() - figureStart < 2) types_.back() = ptMoveTo;
        } else if (types_[last] == ptBezierTo) {
            types_[last] = ptBezierToClose;
        }
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPoint p = rounded(QPointF(e.x, e.y));
        switch (e.type) {
        case QPainterPath::MoveToElement:
            finishFigure();
            figureStart = count();
            addPoint(p, ptMoveTo);
            break;
        case QPainterPath::LineToElement:
            addPoint(p, ptLineTo);
            break;
        case QPainterPath::CurveToElement:
        case QPainterPath::CurveToDataElement:
            addPoint(p, ptBezierTo);
            break;
        }
    }
    finishFigure();
}

void TStroke::setRectangle(const TRect& r) {
    clear();
    addPoint(r.left, r.top, ptMoveTo);
    addPoint(r.right, r.top, ptLineTo);
    addPoint(r.right, r.bottom, ptLineTo);
    addPoint(r.left, r.bottom, ptLineToClose);
}

void TStroke::setEllipse(const TRect& r) {
    clear();
    const QPoint c = rectCenter(r);
    const int ox = rounded(rectWidth(r) * kKappa / 2);
    const int oy = rounded(rectHeight(r) * kKappa / 2);
    addPoint(r.right, c.y(), ptMoveTo);
    addPoint(r.right, c.y() - oy, ptBezierTo);
    addPoint(c.x() + ox, r.top, ptBezierTo);
    addPoint(c.x(), r.top, ptBezierTo);
    addPoint(c.x() - ox, r.top, ptBezierTo);
    addPoint(r.left, c.y() - oy, ptBezierTo);
    addPoint(r.left, c.y(), ptBezierTo);
    addPoint(r.left, c.y() + oy, ptBezierTo);
    addPoint(c.x() - ox, r.bottom, ptBezierTo);
    addPoint(c.x(), r.bottom, ptBezierTo);
    addPoint(c.x() + ox, r.bottom, ptBezierTo);
    addPoint(r.right, c.y() + oy, ptBezierTo);
    addPoint(r.right, c.y(), ptBezierToClose);
}

void TStroke::setRoundRect(const TRect& r, int d) {
    clear();
    const int q = d / 2;
    const int c = rounded(d * kKappa / 2);
    const auto corner = [this](QPoint c1, QPoint c2, QPoint end) {
        addPoint(c1, ptBezierTo);
        addPoint(c2, ptBezierTo);
        addPoint(end, ptBezierTo);
    };
    addPoint(r.right, r.top + q, ptMoveTo);
    corner({r.right, r.top + q - c}, {r.right - q + c, r.top}, {r.right - q, r.top});
    addPoint(r.left + q, r.top, ptLineTo);
    corner({r.left + q - c, r.top}, {r.left, r.top + q - c}, {r.left, r.top + q});
    addPoint(r.left, r.bottom - q, ptLineTo);
    corner({r.left, r.bottom - q + c}, {r.left + q - c, r.bottom}, {r.left + q, r.bottom});
    addPoint(r.right - q, r.bottom, ptLineTo);
    corner({r.right - q + c, r.bottom}, {r.right, r.bottom - q + c}, {r.right, r.bottom - q});
    addPoint(r.right, r.top + q, ptLineToClose);
}

void TStroke::subdivide() {
    TStroke out;
    QPoint figureStart, previous;
    for (int i = 0; i < count(); ++i) {
        const QPoint p = point(i);
        const std::uint8_t type = types_[std::size_t(i)];
        switch (type) {
        case ptMoveTo:
            figureStart = p;
            out.addPoint(p, ptMoveTo);
            break;
        case ptLineTo:
        case ptLineToClose:
            piecesBetween(previous, p, [&](QPoint q) { out.addPoint(q, ptLineTo); });
            out.addPoint(p, TPointType(type));
            break;
        default:
            out.addPoint(p, TPointType(type));
            break;
        }
        if (closes(type)) {
            // The implicit closing segment gets its pieces too; the last one carries the close.
            std::vector<QPoint> between;
            piecesBetween(p, figureStart, [&](QPoint q) { between.push_back(q); });
            if (!between.empty()) {
                out.types_.back() = type == ptBezierToClose ? ptBezierTo : ptLineTo;
                for (const QPoint& q : between) out.addPoint(q, ptLineTo);
                out.types_.back() = ptLineToClose;
            }
        }
        previous = p;
    }
    *this = std::move(out);
}

void TStroke::replay(QPainterPath& path, const QTransform& toDevice) const {
    if (points_.empty()) return;
    const auto pixelOf = [&](QPoint p) { return rounded(toDevice.map(QPointF(p))); };
    QPoint figureStart, previous;
    bool open = false;
    for (int i = 0; i < count(); ++i) {
        const QPoint p = point(i);
        const std::uint8_t type = types_[std::size_t(i)];
        if (type == ptMoveTo) {
            path.moveTo(p);
            figureStart = p;
            open = true;
        } else if (type == ptBezierTo || type == ptBezierToClose) {
            if (i + 2 >= count()) {
                // A cubic run cut short: draw what is there as lines.
                path.lineTo(p);
            } else {
                const QPoint c1 = p, c2 = point(i + 1), end = point(i + 2);
                QPoint lastPixel = pixelOf(previous);
                for (int k = 1; k < kCubicPieces; ++k) {
                    const QPoint q = rounded(cubicAt(previous, c1, c2, end, double(k) / kCubicPieces));
                    const QPoint pixel = pixelOf(q);
                    if (pixel == lastPixel) continue;
                    path.lineTo(q);
                    lastPixel = pixel;
                }
                path.lineTo(end);
                i += 2;
                if (types_[std::size_t(i)] == ptBezierToClose) {
                    if (path.currentPosition() != QPointF(figureStart)) path.lineTo(figureStart);
                    path.closeSubpath();
                    open = false;
                }
                previous = end;
                continue;
            }
        } else {
            path.lineTo(p);
            if (type == ptLineToClose) {
                if (path.currentPosition() != QPointF(figureStart)) path.lineTo(figureStart);
                path.closeSubpath();
                open = false;
            }
        }
        previous = p;
    }
    if (open) path.closeSubpath();
}

QPainterPath TStroke::toPath(const QTransform& toDevice) const {
    QPainterPath path;
    replay(path, toDevice);
    return path;
}

}  // namespace poremi
