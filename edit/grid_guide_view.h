#pragma once
// Painting and editing the snap grid and the guide lines on a site.

#include "render/geometry/rect.h"

#include <QtCore/QPoint>

class QPainter;

namespace poremi {

class TGrid;
class TGuide;

// Dots (blue) or dotted grey lines at every multiple of the size inside the area, when the
// grid is visible. The painter is in document units; nothing for a size that is not positive
// or closer than three pixels.
void paintGrid(QPainter& painter, const TGrid& grid, const TRect& area);
// Every guide as a dotted blue line across the area, when the guides are visible.
void paintGuides(QPainter& painter, const TGuide& guide, const TRect& area);
// The first enabled guide within the tolerance of the point, else -1.
int guideAt(const TGuide& guide, QPoint point, int tolerance);
// Empties the slots whose guide lies outside the area (or on its edge); the guides are
// disabled when none remains.
void removeGuidesOutside(TGuide& guide, const TRect& area);

}  // namespace poremi
