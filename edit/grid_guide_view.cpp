#include "edit/grid_guide_view.h"

#include "document/model/grid_guide.h"

#include <QtGui/QPainter>
#include <cstdlib>
#include <vector>

namespace poremi {

namespace {

// The first multiple of size not below v.
int firstMultiple(int v, int size) {
    const int q = v / size;
    const int m = q * size;
    return m < v ? m + size : m;
}

bool isVertical(QPoint slot) { return slot.x() != 0; }
bool isEmptySlot(QPoint slot) { return slot.x() == 0 && slot.y() == 0; }

}  // namespace

void paintGrid(QPainter& painter, const TGrid& grid, const TRect& area) {
    const int size = grid.size();
    if (!grid.visible() || size <= 0) return;
    const double pixelsPerStep = size * std::abs(painter.deviceTransform().m11());
    if (pixelsPerStep < 3) return;
    painter.save();
    if (grid.lineShape()) {
        painter.setPen(QPen(QColor(192, 192, 192), 0, Qt::DotLine));
        for (int x = firstMultiple(area.left, size); x < area.right; x += size) painter.drawLine(x, area.top, x, area.bottom);
        for (int y = firstMultiple(area.top, size); y < area.bottom; y += size) painter.drawLine(area.left, y, area.right, y);
    } else {
        painter.setPen(QPen(QColor(0, 0, 255), 0));
        std::vector<QPoint> dots;
        for (int y = firstMultiple(area.top, size); y < area.bottom; y += size)
            for (int x = firstMultiple(area.left, size); x < area.right; x += size) dots.emplace_back(x, y);
        painter.drawPoints(dots.data(), static_cast<int>(dots.size()));
    }
    painter.restore();
}

void paintGuides(QPainter& painter, const TGuide& guide, const TRect& area) {
    if (!guide.visible()) return;
    painter.save();
    painter.setPen(QPen(QColor(0, 0, 255), 0, Qt::DotLine));
    for (int i = 0; i < guide.count(); ++i) {
        const QPoint slot = guide.guide(i);
        if (isEmptySlot(slot)) continue;
        if (isVertical(slot))
            painter.drawLine(slot.x(), area.top, slot.x(), area.bottom);
        else
            painter.drawLine(area.left, slot.y(), area.right, slot.y());
    }
    painter.restore();
}

int guideAt(const TGuide& guide, QPoint point, int tolerance) {
    if (!guide.enabled()) return -1;
    for (int i = 0; i < guide.count(); ++i) {
        const QPoint slot = guide.guide(i);
        if (isEmptySlot(slot)) continue;
        const int distance = isVertical(slot) ? slot.x() - point.x() : slot.y() - point.y();
        if (std::abs(distance) <= tolerance) return i;
    }
    return -1;
}

void removeGuidesOutside(TGuide& guide, const TRect& area) {
    bool remaining = false;
    for (int i = 0; i < guide.count(); ++i) {
        const QPoint slot = guide.guide(i);
        if (isEmptySlot(slot)) continue;
        const bool inside = isVertical(slot) ? slot.x() > area.left && slot.x() < area.right
                                             : slot.y() > area.top && slot.y() < area.bottom;
        if (inside)
            remaining = true;
        else
            guide.setGuide(i, {});
    }
    if (!remaining) guide.setEnabled(false);
}

}  // namespace poremi
