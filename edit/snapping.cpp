#include "edit/snapping.h"

#include "document/model/grid_guide.h"

#include <cstdlib>

namespace poremi {

namespace {

std::optional<int> closer(std::optional<int> a, std::optional<int> b) {
    if (!a) return b;
    if (!b) return a;
    return std::abs(*b) < std::abs(*a) ? b : a;
}

// The multiple of size nearest to v, halves going up. The division floors: truncating would
// pull negative coordinates to the wrong side of zero.
int nearestMultiple(int v, int size) {
    const long long shifted = static_cast<long long>(v) + size / 2;
    long long q = shifted / size;
    if (shifted % size != 0 && shifted < 0) --q;
    return static_cast<int>(q * size);
}

}  // namespace

SnapOffset closerOffset(const SnapOffset& a, const SnapOffset& b) { return {closer(a.dx, b.dx), closer(a.dy, b.dy)}; }

SnapOffset gridSnapOffset(const TGrid& grid, QPoint point) {
    if (!grid.enabled() || grid.size() <= 0) return {};
    const int size = grid.size();
    return {nearestMultiple(point.x(), size) - point.x(), nearestMultiple(point.y(), size) - point.y()};
}

SnapOffset guideSnapOffset(const TGuide& guide, QPoint point, int tolerance) {
    if (!guide.enabled()) return {};
    SnapOffset offset;
    for (int i = 0; i < guide.count(); ++i) {
        const QPoint slot = guide.guide(i);
        if (slot.x() != 0) {
            const int d = slot.x() - point.x();
            if (std::abs(d) <= tolerance) offset.dx = closer(offset.dx, d);
        } else if (slot.y() != 0) {
            const int d = slot.y() - point.y();
            if (std::abs(d) <= tolerance) offset.dy = closer(offset.dy, d);
        }
    }
    return offset;
}

SnapOffset snapOffset(const SnapFunction& snap, std::span<const QPoint> points) {
    SnapOffset result;
    if (!snap) return result;
    for (QPoint p : points) result = closerOffset(result, snap(p));
    return result;
}

QPoint snapPoint(const SnapFunction& snap, QPoint point) {
    const SnapOffset offset = snapOffset(snap, std::span(&point, 1));
    return point + QPoint(offset.dx.value_or(0), offset.dy.value_or(0));
}

}  // namespace poremi
