#include "paper/face_info.h"

#include "base/arithmetic.h"
#include "paper/face_outline.h"

#include <QtGui/QPainter>
#include <optional>

namespace poremi {
namespace {

QPoint devicePoint(const QTransform& t, QPoint p) {
    const QPointF d = t.map(QPointF(p));
    return {int(roundHalfEven(d.x())), int(roundHalfEven(d.y()))};
}

TRect deviceRect(const QTransform& t, const TRect& r) {
    const QPoint a = devicePoint(t, r.topLeft()), b = devicePoint(t, {r.right, r.bottom});
    return normalizeRect({a.x(), a.y(), b.x(), b.y()});
}

}  // namespace

TRect TFaceInfo::outerRect() const { return inflateRect(faceRect, faceMargin, faceMargin); }

void TFaceInfo::setOuterRect(const TRect& r) { faceRect = inflateRect(r, -faceMargin, -faceMargin); }

TRect TFaceInfo::cutCenterRect() const {
    const int left = faceRect.left + int(idiv(std::int64_t(rectWidth(faceRect)) - cutCenterWidth, 2));
    const int top = faceRect.top + int(idiv(std::int64_t(rectHeight(faceRect)) - cutCenterHeight, 2));
    return {left, top, left + cutCenterWidth, top + cutCenterHeight};
}

TRect TFaceInfo::innerCutCenterRect() const { return inflateRect(cutCenterRect(), -faceMargin, -faceMargin); }

void TFaceInfo::setCutCenterSize(int size) {
    cutCenterWidth = size;
    cutCenterHeight = size;
}

void TFaceInfo::setLegacyFaceType(int type) {
    switch (type) {
    case 0: faceShape = fsRect; facePurpose.clear(); break;
    case 1: faceShape = fsDoughnut; facePurpose = QStringLiteral("CD"); break;
    case 2: faceShape = fsRect; facePurpose = QStringLiteral("CDCover"); break;
    case 3: faceShape = fsRect; facePurpose = QStringLiteral("CDCaseTray"); break;
    case 4:
    case 5: faceShape = fsRect; facePurpose = QStringLiteral("MOSquare"); break;
    case 6: faceShape = fsEllipse; facePurpose.clear(); break;
    case 7: faceShape = fsRoundRect; facePurpose.clear(); break;
    default: break;
    }
}

QPainterPath TFaceInfo::outlinePath(bool relative) const {
    const TRect outer = outerRect();
    const int dx = relative ? -outer.left : 0, dy = relative ? -outer.top : 0;
    QPainterPath path = shapePath(faceShape, offsetRect(outer, dx, dy), roundSize);
    if (hasCutCenter()) path.addPath(holePath(centerShape, offsetRect(innerCutCenterRect(), dx, dy)));
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

QPainterPath TFaceInfo::trimLinePath(bool relative) const {
    if (faceMargin == 0) return {};
    const TRect outer = outerRect();
    const int dx = relative ? -outer.left : 0, dy = relative ? -outer.top : 0;
    QPainterPath path = shapePath(faceShape, offsetRect(faceRect, dx, dy), roundSize);
    if (hasCutCenter()) path.addPath(holePath(centerShape, offsetRect(cutCenterRect(), dx, dy)));
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

QPainterPath TFaceInfo::cutCenterPath(bool relative) const {
    if (!hasCutCenter()) return {};
    const TRect hole = innerCutCenterRect();
    return holePath(centerShape, relative ? offsetRect(hole, -hole.left, -hole.top) : hole);
}

QPainterPath TFaceInfo::clipPath(bool excludeHole) const {
    if (excludeHole) return outlinePath(false);
    return shapePath(faceShape, outerRect(), roundSize);
}

void TFaceInfo::drawOutline(QPainter& painter, bool relative) const { painter.drawPath(outlinePath(relative)); }

void TFaceInfo::drawTrimLine(QPainter& painter, bool relative) const {
    if (faceMargin == 0) return;
    painter.drawPath(trimLinePath(relative));
}

void TFaceInfo::drawCutCenter(QPainter& painter, bool relative) const {
    if (!hasCutCenter()) return;
    painter.drawPath(cutCenterPath(relative));
}

QRegion TFaceInfo::createRegion(bool excludeHole) const {
    return regionIn(outerRect(), innerCutCenterRect(), QSize(roundSize, roundSize), excludeHole);
}

QRegion TFaceInfo::createRegion(const QPainter& painter, bool excludeHole) const {
    const QTransform t = painter.combinedTransform();
    const QPoint corner = devicePoint(t, {roundSize, roundSize}) - devicePoint(t, {0, 0});
    return regionIn(deviceRect(t, outerRect()), deviceRect(t, innerCutCenterRect()), QSize(corner.x(), corner.y()),
                    excludeHole);
}

QRegion TFaceInfo::regionIn(const TRect& outer, const TRect& hole, QSize corner, bool excludeHole) const {
    QRegion region = shapeRegion(faceShape, outer, corner);
    if (excludeHole && hasCutCenter()) region -= holeRegion(centerShape, hole);
    return region;
}

int findOverlappingFace(const std::vector<TFaceInfo>& faces) {
    std::vector<std::optional<QRegion>> regions(faces.size());
    const auto regionOf = [&](std::size_t i) -> const QRegion& {
        if (!regions[i]) regions[i] = faces[i].createRegion(false);
        return *regions[i];
    };
    for (std::size_t i = 1; i < faces.size(); ++i) {
        const TRect box = faces[i].outerRect();
        for (std::size_t j = 0; j < i; ++j) {
            if (intersectRect(box, faces[j].outerRect()).isEmpty()) continue;
            if (regionOf(i).intersects(regionOf(j))) return int(i);
        }
    }
    return -1;
}

}  // namespace poremi
