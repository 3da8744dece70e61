#pragma once
// The designer that edits date objects in the date dialog.

#include "document/model/designer.h"

namespace poremi {

class TDODateEditor : public TDODesigner {
public:
    // The distortion presets come from presetFile, or the shipped file when it is empty.
    explicit TDODateEditor(QString presetFile = {});
    // Opens the dialog on a date and, on OK, records the change as one undoable step
    // "設定変更"; other objects are left to other designers.
    bool edit(TDrawObject& object, bool& cancelled) override;

private:
    QString presetFile_;
};

}  // namespace poremi
