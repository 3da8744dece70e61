#pragma once
// The designers that open the property dialogs of picture objects.

#include "document/model/designer.h"

#include <functional>

namespace poremi {

class TfrmIllustProperty;

// Edits pictures (TLOImage) in their dialog: a picture-less image first gets a picture file,
// and giving up there cancels the edit; OK writes the dialog to the image as one undoable
// step "設定変更" (recorded only when something changed).
class TDOImageEditor : public TDODesigner {
public:
    // Shows the dialog and returns its result; the default runs it modally.
    using Runner = std::function<int(TfrmIllustProperty&)>;
    explicit TDOImageEditor(Runner run = {});

    bool edit(TDrawObject& object, bool& cancelled) override;

private:
    Runner run_;
};

// Registers the designers of picture objects with the registry.
void registerPictureDesigners(TDODesignerList& designers);

}  // namespace poremi
