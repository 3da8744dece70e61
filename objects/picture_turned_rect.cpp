#include "objects/picture_turned_rect.h"

#include "base/arithmetic.h"
#include "render/geometry/transformer.h"

namespace poremi {

namespace {

bool isTurned(int angle) { return angle % 360 != 0; }

}  // namespace

QPolygon turnedRectOutline(const TRect& rect, int angle) {
    const TRotator rotator(angle, rectCenter(rect));
    return QPolygon({rotator.transformPoint({rect.left, rect.top}), rotator.transformPoint({rect.right, rect.top}),
                     rotator.transformPoint({rect.right, rect.bottom}), rotator.transformPoint({rect.left, rect.bottom})});
}

TRect turnedRectBounds(const TRect& rect, int angle) {
    if (!isTurned(angle)) return rect;
    const QRect box = turnedRectOutline(rect, angle).boundingRect();
    return {box.left(), box.top(), box.left() + box.width() - 1, box.top() + box.height() - 1};
}

bool turnedRectContains(const TRect& rect, int angle, QPoint point) {
    if (!isTurned(angle))
        return point.x() >= rect.left && point.x() < rect.right && point.y() >= rect.top && point.y() < rect.bottom;
    return turnedRectOutline(rect, angle).containsPoint(point, Qt::OddEvenFill);
}

QSize turnedRectExtent(const TRect& rect, int angle, int width, int height) {
    if (!isTurned(angle)) return {width, height};
    const TRect bounds = turnedRectBounds(rect, angle);
    const auto scaled = [](int size, int wanted, int visual) { return visual == 0 ? size : mulDiv(size, wanted, visual); };
    return {scaled(rectWidth(rect), width, rectWidth(bounds)), scaled(rectHeight(rect), height, rectHeight(bounds))};
}

}  // namespace poremi
