#pragma once
// The alignment command: lines the selected label objects up along one edge of the rectangle
// they cover together, or spaces them evenly across it. One undo step.

#include "render/geometry/rect.h"

#include <QtCore/QPoint>
#include <vector>

namespace poremi {

class TDrawSite;

enum class AlignMode {
    Left,                // "左端で揃える"
    Right,               // "右端で揃える"
    Top,                 // "上端で揃える"
    Bottom,              // "下端で揃える"
    SpaceHorizontally,   // "左右間隔を均等にする"
    SpaceVertically,     // "上下間隔を均等にする"
};

// At least two selected label objects that can be moved.
bool canAlign(TDrawSite& site);

// Moves the selected label objects; every move is recorded inside one history group
// "位置合わせ", closed also when an error passes. Nothing with fewer than two.
void alignObjects(TDrawSite& site, AlignMode mode);

// The move of each of the bounds (in their order) for a mode. Even spacing orders them by
// their centres and shares the free room (negative when they are wider than the room, so that
// they overlap by equal steps) between neighbours; fewer than two bounds stay.
std::vector<QPoint> alignOffsets(const std::vector<TRect>& bounds, AlignMode mode);

}  // namespace poremi
