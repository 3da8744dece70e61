#pragma once
// The designer of objects described by a rectangle on a draw site: eight handles (two of
// them turning handles for objects that turn) and the ghosts that move, resize, turn and draw
// them.

#include "document/model/designer.h"

namespace poremi {

class TRectGhostDesigner : public TDODesigner {
public:
    bool showHandles(TDrawObject& object) override;
    bool beginDrag(TDrawObject& object, int handle) override;
};

// Registers the draw site's designers with the application's registry.
void registerSiteDesigners();

}  // namespace poremi
