#pragma once
// Where a dragged point is pulled to: the nearest multiple of the grid and the nearest guide
// within a tolerance. Offsets are per axis; an axis without one is left alone.

#include <QtCore/QPoint>
#include <functional>
#include <optional>
#include <span>

namespace poremi {

class TGrid;
class TGuide;

struct SnapOffset {
    std::optional<int> dx;
    std::optional<int> dy;
    friend bool operator==(const SnapOffset&, const SnapOffset&) = default;
};

// Per axis the offset of smaller magnitude; an axis with one offset keeps it.
SnapOffset closerOffset(const SnapOffset& a, const SnapOffset& b);

// Offset to the nearest multiple of the grid size (halves go up, on both sides of the
// origin); none when snapping is off or the size is not positive.
SnapOffset gridSnapOffset(const TGrid& grid, QPoint point);
// The nearest vertical guide within tolerance of x, the nearest horizontal one of y; none
// when the guides are disabled.
SnapOffset guideSnapOffset(const TGuide& guide, QPoint point, int tolerance);

// Answers for one logical point; installed on a site by the screen that edits it.
using SnapFunction = std::function<SnapOffset(QPoint point)>;

// The combined offset for several points (the smallest per axis wins); none without a
// function.
SnapOffset snapOffset(const SnapFunction& snap, std::span<const QPoint> points);
// The point moved by the function's offset.
QPoint snapPoint(const SnapFunction& snap, QPoint point);

}  // namespace poremi
