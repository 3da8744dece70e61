#include "objects/dialogs/picture_designers.h"

#include "document/model/action_history.h"
#include "document/model/object_actions.h"
#include "objects/dialogs/picture_image_dialog.h"

#include <QtWidgets/QApplication>

namespace poremi {

TDOImageEditor::TDOImageEditor(Runner run)
    : run_(run ? std::move(run) : Runner([](TfrmIllustProperty& dialog) { return dialog.exec(); })) {}

bool TDOImageEditor::edit(TDrawObject& object, bool& cancelled) {
    auto* image = dynamic_cast<TLOImage*>(&object);
    if (!image) return false;
    auto action = std::make_unique<TDOChangeAction>(*image, QStringLiteral("設定変更"));
    TfrmIllustProperty dialog(*image, QApplication::activeWindow());
    cancelled = !dialog.hasPicture() && !dialog.choosePicture();
    if (!cancelled) cancelled = run_(dialog) != QDialog::Accepted;
    if (!cancelled) dialog.writeTo(*image);
    TDOChangeAction::commit(std::move(action), TActionList::instance());
    return true;
}

void registerPictureDesigners(TDODesignerList& designers) { designers.registerDesigner(std::make_shared<TDOImageEditor>()); }

}  // namespace poremi
