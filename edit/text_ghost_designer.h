#pragma once
// The handles of text on a draw site: the rectangle's handles, and a bulge handle in the
// middle of straight arc text so that it can be bent. Bent arcs are left to the curve
// designer; drags to the others.

#include "edit/rect_designer.h"

namespace poremi {

class TTextGhostDesigner : public TDODesigner {
public:
    bool showHandles(TDrawObject& object) override;

private:
    TRectGhostDesigner rectHandles_;
};

}  // namespace poremi
