#include "objects/dialogs/alpha_mask_designer.h"

#include "document/model/action_history.h"
#include "document/model/object_actions.h"
#include "objects/dialogs/alpha_mask_dialog.h"

#include <QtWidgets/QApplication>

namespace poremi {

TDOAlphaMaskEditor::TDOAlphaMaskEditor(Runner run)
    : run_(run ? std::move(run) : Runner([](TfrmAlphaMaskProperty& dialog) { return dialog.exec(); })) {}

bool TDOAlphaMaskEditor::edit(TDrawObject& object, bool& cancelled) {
    auto* mask = dynamic_cast<TLOAlphaMask*>(&object);
    if (!mask) return false;
    auto action = std::make_unique<TDOChangeAction>(*mask, QStringLiteral("設定変更"));
    TfrmAlphaMaskProperty dialog(*mask, QApplication::activeWindow());
    cancelled = !dialog.hasPicture() && !dialog.chooseShape();
    if (!cancelled) cancelled = run_(dialog) != QDialog::Accepted;
    if (!cancelled) dialog.writeTo(*mask);
    TDOChangeAction::commit(std::move(action), TActionList::instance());
    return true;
}

}  // namespace poremi
