#pragma once
// An ellipse on a label: the one inscribed in the rectangle, turned by Angle about its centre,
// drawn as four cubic quarters.

#include "objects/shape_rect.h"

namespace poremi {

class TLOCircle : public TLORect {
    POREMI_PERSISTENT(TLOCircle)
public:
    using TLORect::TLORect;

    // The turned ellipse widened by FrameWidth.
    TRect getBounds() const override;

protected:
    void buildOutline(TStroke& stroke, const TRect& rect, int diameter) const override;
    bool framesByWidening() const override { return true; }
};

}  // namespace poremi
