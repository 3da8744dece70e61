#pragma once
// The property editors of the shape objects: each opens its dialog on the object and records
// what OK changed as one undoable step "設定変更".

#include "document/model/designer.h"

namespace poremi {

// Rectangles and ellipses.
class TDORectEditor : public TDODesigner {
public:
    bool edit(TDrawObject& object, bool& cancelled) override;
};

// Lines and arcs; decorated rules have an editor of their own.
class TDOLineEditor : public TDODesigner {
public:
    bool edit(TDrawObject& object, bool& cancelled) override;
};

// Decorated rules, with the patterns of the data folder "ILLUST\DecoLine"; without that
// folder the edit counts as cancelled.
class TDODecoLineEditor : public TDODesigner {
public:
    bool edit(TDrawObject& object, bool& cancelled) override;
};

}  // namespace poremi
