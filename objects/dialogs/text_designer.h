#pragma once
// The designer that edits texts (and the field objects derived from them) in the text dialog.

#include "document/model/designer.h"

namespace poremi {

class TDOTextEditor : public TDODesigner {
public:
    // The distortion presets come from presetFile, or the shipped file when it is empty.
    explicit TDOTextEditor(QString presetFile = {});
    // Opens the dialog on a text and, on OK, records the change as one undoable step
    // "設定変更"; dates and other objects are left to other designers.
    bool edit(TDrawObject& object, bool& cancelled) override;

private:
    QString presetFile_;
};

}  // namespace poremi
