#pragma once
// The designer of arcs (curves and bent arc text) on a draw site: handles on the start, the
// end and the apex, and the ghosts that bend, stretch and draw them.

#include "document/model/designer.h"

namespace poremi {

class TCurveGhostDesigner : public TDODesigner {
public:
    // Start and end handles and a bulge handle on the apex, for any arc that reaches this
    // designer: straight curves too, so that they can be bent.
    bool showHandles(TDrawObject& object) override;
    // −2 draws, −1 moves, 10 to 12 bend and stretch; other handles are left to others.
    bool beginDrag(TDrawObject& object, int handle) override;
};

// Registers the line, curve and text ghost designers, so that the text designer is asked
// first, then the curve and the line designers.
void registerArcDesigners();

}  // namespace poremi
