#include "render/geometry/transformer.h"

#include "base/arithmetic.h"
#include "render/geometry/stroke.h"

#include <cmath>
#include <numbers>

namespace poremi {

void TTransformer::transformStroke(TStroke& stroke) const {
    for (int i = 0; i < stroke.count(); ++i) stroke.setPoint(i, transformPoint(stroke.point(i)));
}

TRotator::TRotator(double angle, QPoint center) : center_(center) { setAngle(angle); }

void TRotator::setAngle(double angle) {
    angle_ = angle;
    const double radians = angle * std::numbers::pi / 180.0;
    sin_ = std::sin(radians);
    cos_ = std::cos(radians);
}

QPoint TRotator::transformPoint(QPoint p) const {
    const double dx = p.x() - center_.x(), dy = p.y() - center_.y();
    return {int(roundHalfEven(dx * cos_ - dy * sin_)) + center_.x(), int(roundHalfEven(dx * sin_ + dy * cos_)) + center_.y()};
}

}  // namespace poremi
