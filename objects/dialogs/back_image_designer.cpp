#include "objects/dialogs/back_image_designer.h"

#include "document/model/action_history.h"
#include "document/model/object_actions.h"
#include "objects/dialogs/back_image_dialog.h"
#include "objects/picture_back_image.h"

#include <QtWidgets/QApplication>

namespace poremi {

TDOBackImageEditor::TDOBackImageEditor(Runner run)
    : run_(run ? std::move(run) : Runner([](TfrmBackGround& dialog) { return dialog.exec(); })) {}

bool TDOBackImageEditor::edit(TDrawObject& object, bool& cancelled) {
    auto* background = dynamic_cast<TLOBackImage*>(&object);
    if (!background) return false;
    // Recorded like every other object's change, so that a new background can be undone.
    auto action = std::make_unique<TDOChangeAction>(*background, QStringLiteral("設定変更"));
    TfrmBackGround dialog(*background, QApplication::activeWindow());
    cancelled = run_(dialog) != QDialog::Accepted;
    if (!cancelled) dialog.writeTo(*background);
    TDOChangeAction::commit(std::move(action), TActionList::instance());
    return true;
}

}  // namespace poremi
