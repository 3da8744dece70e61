#pragma once
// An outline as a device-independent point list in document units: captured from a painter
// path or built from rectangles and ellipses, subdivided, transformed point by point and
// replayed into a QPainterPath that drawing code fills, widens or uses as a clip.

#include "render/geometry/rect.h"

#include <QtCore/QPoint>
#include <QtGui/QTransform>
#include <cstdint>
#include <vector>

class QPainterPath;

namespace poremi {

// Point meanings of the list (the platform's path point types).
enum TPointType : std::uint8_t {
    ptLineTo = 2,
    ptLineToClose = 3,   // line to the point, then close the figure
    ptBezierTo = 4,      // always three in a row: two control points and the end point
    ptBezierToClose = 5, // cubic end point that also closes the figure
    ptMoveTo = 6,        // starts a figure
};

class TStroke {
public:
    int count() const { return int(points_.size()); }
    void clear();
    QPoint point(int i) const { return points_.at(std::size_t(i)); }
    TPointType pointType(int i) const { return TPointType(types_.at(std::size_t(i))); }
    void setPoint(int i, QPoint p) { points_.at(std::size_t(i)) = p; }
    void addPoint(int x, int y, TPointType type);
    void addPoint(QPoint p, TPointType type) { addPoint(p.x(), p.y(), type); }

    // Box of all points (Right/Bottom the largest coordinates); empty when there are none.
    TRect getBoundsRect() const;

    // Appends the figures of path, rounded to integers. A figure whose last point returns to
    // its start is taken as closed (QPainterPath closes figures that way).
    void appendPath(const QPainterPath& path);

    // (Left, Top), (Right, Top), (Right, Bottom), (Left, Bottom): types 6, 2, 2, 3.
    void setRectangle(const TRect& r);
    // Four cubic quarters from the right midpoint over the top, left and bottom: 13 points.
    void setEllipse(const TRect& r);
    // Straight edges joined by quarter corners of radius d div 2, from the right edge d div 2
    // below the top over the top, left and bottom edges, closing on the right edge.
    void setRoundRect(const TRect& r, int d);

    // Replaces every straight segment (closing segments included) by pieces at most 8 units
    // long; cubic points stay as they are.
    void subdivide();

    // Appends the stroke to path in document units. Cubic segments are flattened into 63
    // pieces, a piece kept only when its end falls on another device pixel (toDevice maps
    // document units to pixels). An empty stroke adds nothing; the last figure is closed.
    void replay(QPainterPath& path, const QTransform& toDevice = QTransform()) const;
    // The stroke as a path of its own.
    QPainterPath toPath(const QTransform& toDevice = QTransform()) const;

    friend bool operator==(const TStroke&, const TStroke&) = default;

private:
    std::vector<QPoint> points_;
    std::vector<std::uint8_t> types_;
};

}  // namespace poremi
