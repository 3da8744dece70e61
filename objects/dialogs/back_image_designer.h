#pragma once
// The designer that opens the dialog of a face's background.

#include "document/model/designer.h"

#include <functional>

namespace poremi {

class TfrmBackGround;

// Edits backgrounds (TLOBackImage) in their dialog; OK writes it as one undoable step
// "設定変更" (recorded only when something changed).
class TDOBackImageEditor : public TDODesigner {
public:
    // Shows the dialog and returns its result; the default runs it modally.
    using Runner = std::function<int(TfrmBackGround&)>;
    explicit TDOBackImageEditor(Runner run = {});

    bool edit(TDrawObject& object, bool& cancelled) override;

private:
    Runner run_;
};

}  // namespace poremi
