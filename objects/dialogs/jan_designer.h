#pragma once
// The designer that edits JAN barcodes in their property dialog.

#include "document/model/designer.h"

namespace poremi {

class TDOJANCodeEditor : public TDODesigner {
public:
    // Opens the dialog on a barcode and, on OK, records the change as one undoable step
    // "設定変更"; other objects are left to other designers.
    bool edit(TDrawObject& object, bool& cancelled) override;
};

}  // namespace poremi
