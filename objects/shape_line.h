#pragma once
// A straight line on a label between two points, painted by its fill through the outline of a
// pen LineWidth wide with round ends. Its angle follows from the points; turning it turns both
// points about their middle.

#include "document/model/draw_interfaces.h"
#include "document/model/label_object.h"
#include "document/model/property_interfaces.h"
#include "render/raster/fill_color.h"

#include <QtGui/QPainterPath>

namespace poremi {

class TLOLine : public Blendable<TLabelObject>,
                public IDOMovable,
                public IDOLineRect,
                public IDOOutline,
                public IDOAngle,
                public IDOLineColor,
                public IDOLinePoints {
    POREMI_PERSISTENT(TLOLine)
public:
    // A new line is 10 units wide and lies at (0, 0).
    explicit TLOLine(TComponent* owner = nullptr);
    // A new line from a tool starts 40 mm long, so that it shows before its ends are set.
    void prepareForTool(const QString& toolName, const DrawSite& site) override;

    // Published: StartX, StartY, EndX, EndY, LineColor, LineWidth; Angle is never stored.
    int startX() const { return start_.x(); }
    void setStartX(int x) { setStartPoint({x, start_.y()}); }
    int startY() const { return start_.y(); }
    void setStartY(int y) { setStartPoint({start_.x(), y}); }
    int endX() const { return end_.x(); }
    void setEndX(int x) { setEndPoint({x, end_.y()}); }
    int endY() const { return end_.y(); }
    void setEndY(int y) { setEndPoint({end_.x(), y}); }
    const TColorSpec& lineColor() const override { return lineColor_; }
    void setLineColor(const TColorSpec& color) override { lineColor_.assign(color); }
    TColorSpec& lineColorObject() { return lineColor_; }
    int lineWidth() const { return lineWidth_; }
    // Negative widths (stored files may hold anything) become 0.
    virtual void setLineWidth(int width);
    // The direction of start → end in whole degrees, clockwise on the page.
    int angle() const override;
    // Turns both points about the rotation centre by angle − angle().
    void setAngle(int angle) override;

    QPoint startPoint() const override { return start_; }
    void setStartPoint(QPoint point) override;
    QPoint endPoint() const override { return end_; }
    void setEndPoint(QPoint point) override;
    // Both points in one change.
    void setPoints(QPoint start, QPoint end);

    // The middle of the points, halves rounded up; curves turn about their bounds' centre.
    virtual QPoint rotationCenter() const;
    // The line along which the pen runs: the segment, or a curve's arc.
    virtual QPainterPath centerLine() const;

    // The rectangle spanned by the points.
    TRect getRect() const override;
    // The points' box grown by the pen: LineWidth div 2 before, the rest after.
    TRect getBounds() const override;
    // The pen one device pixel wider (3 units off a site) covers the point.
    bool hitTest(QPoint point) const override;
    void moveBy(int dx, int dy) override;
    // The point with the larger x (y) lands at the smaller x (y) + extent − LineWidth.
    void setExtent(int width, int height) override;
    void strokeOutline(QPainter& painter) override;
    void paintTo(QPainter& painter) override { TLabelObject::paintTo(painter); }
    void notify(MessageSender sender, const Guid& message) override;

protected:
    void paint(QPainter& painter) override;
    // After a point changed, inside the change.
    virtual void pointsChanged() {}
    // The area of the pen along the centre line for painting (width LineWidth) or hit tests.
    virtual QPainterPath penArea(int width) const;

private:
    void setStoredAngle(int angle);

    QPoint start_;
    QPoint end_;
    TColorSpec lineColor_;
    int lineWidth_ = 10;
};

}  // namespace poremi
