#pragma once
// One face of a sheet in sheet coordinates (0.1 mm): its trim rectangle, shape, hole, bleed
// margin and purpose, and the geometry, drawing and clip regions derived from them.

#include "paper/face_types.h"
#include "render/geometry/rect.h"

#include <QtCore/QString>
#include <QtGui/QPainterPath>
#include <QtGui/QRegion>
#include <vector>

class QPainter;

namespace poremi {

class TFaceInfo {
public:
    static constexpr int kDefaultCutCenterSize = 410;
    static constexpr int kDefaultRoundSize = 100;

    TRect faceRect;                                 // the face as cut (trim size)
    int cutCenterWidth = kDefaultCutCenterSize;     // the centre hole
    int cutCenterHeight = kDefaultCutCenterSize;
    TFaceShape faceShape = fsRect;
    QString facePurpose;
    int faceMargin = 0;                             // bleed beyond the cut, and into the hole
    TCenterShape centerShape = csEllipse;
    int roundSize = kDefaultRoundSize;              // size of the ellipse rounding each corner

    friend bool operator==(const TFaceInfo&, const TFaceInfo&) = default;

    // FaceRect grown by the margin: the area drawn, clipped and printed for the face.
    TRect outerRect() const;
    void setOuterRect(const TRect& r);
    // The hole centred in FaceRect (offsets truncate toward zero; nothing clamps a hole larger
    // than the face).
    TRect cutCenterRect() const;
    // The hole that remains once the bleed reaches into it.
    TRect innerCutCenterRect() const;
    void setCutCenterSize(int size);
    bool hasCutCenter() const { return poremi::hasCutCenter(faceShape); }
    bool hasRoundCorners() const { return poremi::hasRoundCorners(faceShape); }
    // The old single-number face type: 0 square, 1 CD, 2 cover, 3 tray card, 4 and 5 small
    // square, 6 round, 7 rounded; other numbers change nothing.
    void setLegacyFaceType(int type);

    // Paths in sheet units; relative shifts the coordinates as the drawing operations say.
    // A face with a hole is one path of two figures under the odd-even rule, so filling it
    // leaves the hole unpainted.
    QPainterPath outlinePath(bool relative = false) const;
    // The cut line inside the bleed; empty when there is no margin.
    QPainterPath trimLinePath(bool relative = false) const;
    QPainterPath cutCenterPath(bool relative = false) const;
    // The printable area (OuterRect), without the hole when excludeHole and the face has one.
    QPainterPath clipPath(bool excludeHole) const;

    // With the caller's pen and brush. relative: OuterRect's top-left lands on (0, 0).
    void drawOutline(QPainter& painter, bool relative = false) const;
    // Nothing when FaceMargin is 0. relative: shifted by OuterRect's top-left.
    void drawTrimLine(QPainter& painter, bool relative = false) const;
    // relative: the hole's own top-left lands on (0, 0).
    void drawCutCenter(QPainter& painter, bool relative = false) const;

    // The face's OuterRect as a region in sheet units, minus the hole when asked.
    QRegion createRegion(bool excludeHole) const;
    // The same in the painter's device pixels: rectangle corners and the corner size are
    // converted through the painter's mapping before the region is built.
    QRegion createRegion(const QPainter& painter, bool excludeHole) const;

private:
    QRegion regionIn(const TRect& outer, const TRect& hole, QSize corner, bool excludeHole) const;
};

// The index of the first face whose region (hole included) meets the region of any face
// before it; -1 when none does. Bounding boxes are compared first, so large sheets stay fast.
int findOverlappingFace(const std::vector<TFaceInfo>& faces);

}  // namespace poremi
