#pragma once
// Walks a FreeType glyph outline through the drawing steps of a receiver. FreeType calls back
// through C frames, which an exception must never cross: an exception of the receiver stops
// the walk inside FreeType and is thrown again once FreeType has returned.

#include <QtCore/QPointF>

struct FT_Outline_;

namespace poremi {

class OutlineReceiver {
public:
    virtual ~OutlineReceiver() = default;
    // Starts a contour (the previous one is complete).
    virtual void moveTo(QPointF to) = 0;
    virtual void lineTo(QPointF to) = 0;
    virtual void quadTo(QPointF control, QPointF to) = 0;
    virtual void cubicTo(QPointF control1, QPointF control2, QPointF to) = 0;
};

// False when FreeType refuses the outline as malformed (the receiver may have seen part of it);
// an exception of the receiver comes out as itself.
bool walkOutline(const FT_Outline_& outline, OutlineReceiver& receiver);

}  // namespace poremi
