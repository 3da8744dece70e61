#pragma once
// Point-by-point transformations of strokes (rotation here, outline distortion elsewhere).

#include <QtCore/QPoint>

namespace poremi {

class TStroke;

class TTransformer {
public:
    virtual ~TTransformer() = default;
    // Transforms every point in place.
    virtual void transformStroke(TStroke& stroke) const;
    virtual QPoint transformPoint(QPoint p) const = 0;
};

// Turns points by an angle in degrees about a centre; y grows downwards, so positive angles
// turn clockwise on the page.
class TRotator : public TTransformer {
public:
    TRotator(double angle = 0, QPoint center = {});

    double angle() const { return angle_; }
    void setAngle(double angle);
    QPoint center() const { return center_; }
    void setCenter(QPoint center) { center_ = center; }

    QPoint transformPoint(QPoint p) const override;

private:
    double angle_ = 0;
    QPoint center_;
    double sin_ = 0;
    double cos_ = 1;
};

}  // namespace poremi
