#pragma once
// The position command: moves each selected object against the face's outline or into the
// middle of the label, or turns it towards or across the label's centre. One undo step.

#include <QtCore/QPoint>
#include <optional>

class QRegion;

namespace poremi {

class TDrawSite;
class TFaceInfo;
struct TRect;

enum class PositionMode {
    ToLeftEdge,            // "左端に移動する"
    ToRightEdge,           // "右端に移動する"
    ToTopEdge,             // "上端に移動する"
    ToBottomEdge,          // "下端に移動する"
    ToVerticalCentre,      // "上下中央に移動する"
    ToHorizontalCentre,    // "左右中央に移動する"
    PerpendicularToCentre, // "中心に対して垂直にする"
    ParallelToCentre,      // "中心に対して水平にする"
};

// Whether the command has something to act on: an object is selected.
bool canPosition(const TDrawSite& site);

// Moves (modes up to the centres, objects that can be moved) or turns (the last two, objects
// that can be turned) every selected object; each change is recorded inside one history group
// "設定変更", closed also when an error passes. face is the label shown on the site.
void positionObjects(TDrawSite& site, const TFaceInfo& face, PositionMode mode);

// The move that puts bounds against the outline of region (an edge mode only): as far to that
// side as the region reaches in every row (column) the bounds cover. None when no row
// (column) meets the region.
std::optional<QPoint> edgeOffset(const QRegion& region, const TRect& bounds, PositionMode mode);

// The direction from the centre of the area to the centre of bounds, in whole degrees
// clockwise on the page from the positive x axis (halves to even).
int directionFromCentre(const TRect& bounds, QPoint centre);

}  // namespace poremi
