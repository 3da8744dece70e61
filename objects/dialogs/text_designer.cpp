#include "objects/dialogs/text_designer.h"

#include "document/model/object_actions.h"
#include "objects/dialogs/text_property_dialog.h"
#include "objects/text_date_object.h"
#include "render/distortion/cdd_file.h"

#include <QtWidgets/QApplication>

namespace poremi {

TDOTextEditor::TDOTextEditor(QString presetFile) : presetFile_(std::move(presetFile)) {}

bool TDOTextEditor::edit(TDrawObject& object, bool& cancelled) {
    auto* text = dynamic_cast<TLOText*>(&object);
    if (!text || dynamic_cast<TLODate*>(&object)) return false;
    auto change = std::make_unique<TDOChangeAction>(*text, QStringLiteral("設定変更"));
    TfrmTextProperty dialog(text->site() == nullptr, presetFile_.isEmpty() ? TCDDFile::defaultFileName() : presetFile_,
                         QApplication::activeWindow());
    dialog.load(*text);
    cancelled = dialog.exec() != QDialog::Accepted;
    if (!cancelled) dialog.store(*text);
    TDOChangeAction::commit(std::move(change), TActionList::instance());
    return true;
}

}  // namespace poremi
