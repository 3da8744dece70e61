#include "objects/shape_curve.h"

#include "base/arithmetic.h"
#include "document/stream/class_declaration.h"
#include "objects/shape_paint.h"
#include "render/geometry/arc.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace poremi {

const TClassInfo& TLOCurve::staticClassInfo() {
    static const TClassInfo info = describeClass<TLOCurve, TLOLine>("TLOCurve", [](auto& c) {
        c.integer("Bulge", &TLOCurve::bulge, &TLOCurve::setBulge);
    });
    return info;
}

TLOCurve::TLOCurve(TComponent* owner) : TLOLine(owner) {}

void TLOCurve::setBulge(int bulge) {
    if (bulge == bulge_) return;
    bulge_ = bulge;
    updateControlBounds();
    changed();
}

QPoint TLOCurve::apex() const { return apexFromChord(startPoint(), endPoint(), bulge_); }

void TLOCurve::setApex(QPoint point) { setBulge(sagittaFrom3(startPoint(), point, endPoint())); }

QPoint TLOCurve::rotationCenter() const { return rectCenter(getBounds()); }

QPainterPath TLOCurve::centerLine() const {
    QPainterPath path;
    if (bulge_ > 0)
        drawArc3(path, startPoint(), apex(), endPoint());
    else
        drawArc3(path, endPoint(), apex(), startPoint());
    return path;
}

TRect TLOCurve::getBounds() const {
    const QRectF box = centerLine().boundingRect();
    const double half = lineWidth() / 2.0;
    return enclosingRect(box.adjusted(-half, -half, half, half));
}

void TLOCurve::setExtent(int width, int height) {
    const TRect visual = getBounds();
    const auto scaled = [](int a, int b, int extent, int size) {
        const int low = std::min(a, b);
        const int distance = mulDiv(std::abs(b - a), extent, size);
        return a < b ? std::pair(low, low + distance) : std::pair(low + distance, low);
    };
    QPoint start = startPoint(), end = endPoint();
    if (const int w = rectWidth(visual); w != 0) std::tie(start.rx(), end.rx()) = scaled(start.x(), end.x(), width, w);
    if (const int h = rectHeight(visual); h != 0) std::tie(start.ry(), end.ry()) = scaled(start.y(), end.y(), height, h);
    setPoints(start, end);
}

}  // namespace poremi
