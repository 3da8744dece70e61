#include "objects/dialogs/jan_designer.h"

#include "document/model/object_actions.h"
#include "objects/dialogs/jan_property_dialog.h"
#include "objects/jan_object.h"

#include <QtWidgets/QApplication>

namespace poremi {

bool TDOJANCodeEditor::edit(TDrawObject& object, bool& cancelled) {
    auto* code = dynamic_cast<TLOJANCode*>(&object);
    if (!code) return false;
    auto change = std::make_unique<TDOChangeAction>(*code, QStringLiteral("設定変更"));
    TfrmJANCodeProperty dialog(code->site() == nullptr, QApplication::activeWindow());
    dialog.load(*code);
    cancelled = dialog.exec() != QDialog::Accepted;
    if (!cancelled) dialog.store(*code);
    TDOChangeAction::commit(std::move(change), TActionList::instance());
    return true;
}

}  // namespace poremi
