#include "objects/shape_circle.h"

#include "document/stream/class_declaration.h"
#include "objects/shape_paint.h"

#include <cmath>
#include <numbers>

namespace poremi {

const TClassInfo& TLOCircle::staticClassInfo() {
    static const TClassInfo info = describeClass<TLOCircle, TLORect>("TLOCircle", [](auto&) {});
    return info;
}

void TLOCircle::buildOutline(TStroke& stroke, const TRect& rect, int) const { stroke.setEllipse(rect); }

TRect TLOCircle::getBounds() const {
    if (angle() % 360 == 0) return TLORect::getBounds();
    // The box of the turned ellipse whose half axes are grown by half the frame.
    const TRect& r = rect();
    const double a = (double(r.right) - r.left + frameWidth()) / 2;
    const double b = (double(r.bottom) - r.top + frameWidth()) / 2;
    const double turn = angle() * std::numbers::pi / 180;
    const double c = std::cos(turn), s = std::sin(turn);
    // The ellipse's centre turned about the rotation centre, which rounds towards zero.
    const QPoint pivot = rectCenter(r);
    const double dx = (double(r.left) + r.right) / 2 - pivot.x(), dy = (double(r.top) + r.bottom) / 2 - pivot.y();
    const QPointF centre(pivot.x() + dx * c - dy * s, pivot.y() + dx * s + dy * c);
    const double halfWidth = std::hypot(a * c, b * s), halfHeight = std::hypot(a * s, b * c);
    return enclosingRect({centre.x() - halfWidth, centre.y() - halfHeight, 2 * halfWidth, 2 * halfHeight});
}

}  // namespace poremi
