#include "document/model/object_placement.h"

#include "base/arithmetic.h"
#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"

#include <algorithm>

namespace poremi {
namespace {

constexpr int kFaceMargin = 10;  // 1 mm
constexpr int kMinimumImageSide = 30;

// How far a centre must move to lie within [low + margin, high − margin].
qint64 shiftInside(qint64 centre, qint64 low, qint64 high) {
    if (centre < low + kFaceMargin) return low + kFaceMargin - centre;
    if (centre > high - kFaceMargin) return high - kFaceMargin - centre;
    return 0;
}

int toInt32(qint64 value) { return static_cast<int>(std::clamp<qint64>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

void keepObjectsOnFace(const std::vector<TDrawObject*>& objects, const TRect& face) {
    for (TDrawObject* object : objects) {
        auto* movable = dynamic_cast<IDOMovable*>(object);
        if (!movable) continue;
        const QPoint c = rectCenter(movable->getBounds());
        const qint64 dx = shiftInside(c.x(), face.left, face.right);
        const qint64 dy = shiftInside(c.y(), face.top, face.bottom);
        if (dx != 0 || dy != 0) movable->moveBy(toInt32(dx), toInt32(dy));
    }
}

void fitNewObject(TDrawObject& object, QSize area, QPoint centre) {
    auto* movable = dynamic_cast<IDOMovable*>(&object);
    auto* rect = dynamic_cast<IDORect*>(&object);
    if (!movable || !rect) return;
    const TRect bounds = movable->getBounds();
    const qint64 w = qint64{bounds.right} - bounds.left, h = qint64{bounds.bottom} - bounds.top;
    const qint64 maxW = area.width(), maxH = area.height();
    qint64 fitW = w, fitH = h;
    if (rect->keepAspect() && w > 0 && h > 0 && (w > maxW || h > maxH)) {
        fitH = maxH;
        fitW = w * maxH / h;
        if (fitW > maxW) {
            fitH = h * maxW / w;
            fitW = maxW;
        }
    } else {
        fitW = std::min(w, maxW);
        fitH = std::min(h, maxH);
    }
    if (fitW != w || fitH != h) movable->setExtent(toInt32(fitW), toInt32(fitH));
    const QPoint now = rectCenter(movable->getBounds());
    movable->moveBy(toInt32(qint64{centre.x()} - now.x()), toInt32(qint64{centre.y()} - now.y()));
}

QSize defaultImageSize(QSize pixels) {
    return {std::max(mulDiv(pixels.width(), 254, 180), kMinimumImageSide),
            std::max(mulDiv(pixels.height(), 254, 180), kMinimumImageSide)};
}

}  // namespace poremi
