#pragma once
// The designer of objects with end points on a draw site: a handle on each end and the
// ghosts that move, stretch and draw them.

#include "document/model/designer.h"

namespace poremi {

class TLineGhostDesigner : public TDODesigner {
public:
    bool showHandles(TDrawObject& object) override;
    bool beginDrag(TDrawObject& object, int handle) override;
};

}  // namespace poremi
