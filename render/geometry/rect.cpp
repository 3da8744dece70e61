#include "render/geometry/rect.h"

#include "base/arithmetic.h"

#include <algorithm>
#include <ostream>
#include <utility>

namespace poremi {

std::ostream& operator<<(std::ostream& out, const TRect& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

std::int32_t rectWidth(const TRect& r) { return r.right - r.left; }
std::int32_t rectHeight(const TRect& r) { return r.bottom - r.top; }

QPoint rectCenter(const TRect& r) {
    return {static_cast<int>(idiv(std::int64_t(r.left) + r.right, 2)),
            static_cast<int>(idiv(std::int64_t(r.top) + r.bottom, 2))};
}

TRect normalizeRect(const TRect& r) {
    TRect n = r;
    if (n.left > n.right) std::swap(n.left, n.right);
    if (n.top > n.bottom) std::swap(n.top, n.bottom);
    return n;
}

TRect inflateRect(const TRect& r, std::int32_t dx, std::int32_t dy) {
    return {r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}

TRect offsetRect(const TRect& r, std::int32_t dx, std::int32_t dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

TRect intersectRect(const TRect& a, const TRect& b) {
    const TRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
    return r.isEmpty() ? TRect{} : r;
}

bool rectContainsRect(const TRect& inner, const TRect& outer) { return intersectRect(inner, outer) == inner; }

TRect centerRectAt(const TRect& r, QPoint center) {
    const QPoint c = rectCenter(r);
    return offsetRect(r, center.x() - c.x(), center.y() - c.y());
}

TRect fitSizeInside(const TRect& source, QSize box) {
    const std::int32_t srcW = rectWidth(source), srcH = rectHeight(source);
    std::int32_t width = mulDiv(srcW, box.height(), srcH);
    std::int32_t height = box.height();
    if (width > box.width()) {
        width = box.width();
        height = mulDiv(srcH, box.width(), srcW);
    }
    return {source.left, source.top, source.left + width, source.top + height};
}

TRect fitRectInside(const TRect& source, const TRect& box) {
    return centerRectAt(fitSizeInside(source, QSize(rectWidth(box), rectHeight(box))), rectCenter(box));
}

TRect fitSizeCovering(const TRect& source, QSize box) {
    const std::int32_t srcW = rectWidth(source), srcH = rectHeight(source);
    std::int32_t width = mulDiv(box.height(), srcW, srcH);
    std::int32_t height = box.height();
    if (width < box.width()) {
        width = box.width();
        height = mulDiv(box.width(), srcH, srcW);
    }
    return {source.left, source.top, source.left + width, source.top + height};
}

TRect fitRectCovering(const TRect& source, const TRect& box) {
    return centerRectAt(fitSizeCovering(source, QSize(rectWidth(box), rectHeight(box))), rectCenter(box));
}

QPoint clampPointToRect(QPoint p, const TRect& r) {
    return {std::clamp(p.x(), std::min(r.left, r.right), std::max(r.left, r.right)),
            std::clamp(p.y(), std::min(r.top, r.bottom), std::max(r.top, r.bottom))};
}

QPoint offsetPointByRect(QPoint p, const TRect& r) { return {p.x() + r.left, p.y() + r.top}; }

}  // namespace poremi
