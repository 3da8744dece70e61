#include "objects/dialogs/date_dialog_designer.h"

#include "document/model/object_actions.h"
#include "objects/dialogs/date_dialog.h"
#include "objects/text_date_object.h"
#include "render/distortion/cdd_file.h"

#include <QtWidgets/QApplication>

namespace poremi {

TDODateEditor::TDODateEditor(QString presetFile) : presetFile_(std::move(presetFile)) {}

bool TDODateEditor::edit(TDrawObject& object, bool& cancelled) {
    auto* date = dynamic_cast<TLODate*>(&object);
    if (!date) return false;
    auto change = std::make_unique<TDOChangeAction>(*date, QStringLiteral("設定変更"));
    TfrmDateProperty dialog(date->site() == nullptr, presetFile_.isEmpty() ? TCDDFile::defaultFileName() : presetFile_,
                         QApplication::activeWindow());
    dialog.load(*date);
    cancelled = dialog.exec() != QDialog::Accepted;
    if (!cancelled) dialog.store(*date);
    TDOChangeAction::commit(std::move(change), TActionList::instance());
    return true;
}

}  // namespace poremi
