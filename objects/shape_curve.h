#pragma once
// A circular arc on a label over the chord from start to end, Bulge units high (positive to
// the left of start → end on the page). Shallow arcs and huge circles are drawn as the
// parabola through start, apex and end, others as a polyline along the circle.

#include "objects/shape_line.h"

namespace poremi {

class TLOCurve : public TLOLine, public IDOCurve {
    POREMI_PERSISTENT(TLOCurve)
public:
    // A new curve bulges 30 units.
    explicit TLOCurve(TComponent* owner = nullptr);

    // Published.
    int bulge() const { return bulge_; }
    void setBulge(int bulge);

    // The top of the arc: the chord's middle moved by the bulge (clamped to ±4000) across it.
    QPoint apex() const override;
    // The bulge becomes the signed sagitta of the circle through start, point and end.
    void setApex(QPoint point) override;
    // The chord's ends are the line's points, moved at once.
    QPoint startPoint() const override { return TLOLine::startPoint(); }
    void setStartPoint(QPoint point) override { TLOLine::setStartPoint(point); }
    QPoint endPoint() const override { return TLOLine::endPoint(); }
    void setEndPoint(QPoint point) override { TLOLine::setEndPoint(point); }
    void beginCurveEdit() override {}
    void endCurveEdit() override {}

    // The centre of the bounds.
    QPoint rotationCenter() const override;
    // The arc from start over the apex to end (traced backwards for a bulge of 0 or less).
    QPainterPath centerLine() const override;
    // The arc's box grown by half the pen on each side.
    TRect getBounds() const override;
    // Each axis: the distance of the points scales by extent / visual size, the smaller
    // coordinate stays.
    void setExtent(int width, int height) override;

private:
    int bulge_ = 30;
};

}  // namespace poremi
