#pragma once
// The designer that opens the dialog of a colour mark.

#include "document/model/designer.h"

#include <functional>

namespace poremi {

class TfrmAlphaMaskProperty;

// Edits colour marks (TLOAlphaMask) in their dialog: a mark without a mask picture first gets
// one, and giving up there cancels the edit; OK writes the dialog as one undoable step
// "設定変更" (recorded only when something changed).
class TDOAlphaMaskEditor : public TDODesigner {
public:
    // Shows the dialog and returns its result; the default runs it modally.
    using Runner = std::function<int(TfrmAlphaMaskProperty&)>;
    explicit TDOAlphaMaskEditor(Runner run = {});

    bool edit(TDrawObject& object, bool& cancelled) override;

private:
    Runner run_;
};

}  // namespace poremi
