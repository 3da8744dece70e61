#include "objects/dialogs/shape_designers.h"

#include "document/model/action_history.h"
#include "document/model/object_actions.h"
#include "objects/dialogs/shape_line_property.h"
#include "objects/dialogs/shape_rect_property.h"
#include "objects/shape_circle.h"
#include "objects/shape_curve.h"
#include "objects/shape_deco_line.h"

#include <QtWidgets/QApplication>

namespace poremi {
namespace {

// Snapshot, dialog, values on OK, and the step recorded only when the object changed.
template <class Object, class Dialog>
void editInDialog(Object& object, Dialog& dialog, bool& cancelled) {
    auto action = std::make_unique<TDOChangeAction>(object, QStringLiteral("設定変更"));
    dialog.load(object);
    cancelled = dialog.exec() != QDialog::Accepted;
    if (!cancelled) dialog.store(object);
    TDOChangeAction::commit(std::move(action), TActionList::instance());
}

}  // namespace

bool TDORectEditor::edit(TDrawObject& object, bool& cancelled) {
    auto* shape = dynamic_cast<TLORect*>(&object);
    if (!shape) return false;
    TfrmRectProperty dialog(dynamic_cast<TLOCircle*>(shape) != nullptr, QApplication::activeWindow());
    editInDialog(*shape, dialog, cancelled);
    return true;
}

bool TDOLineEditor::edit(TDrawObject& object, bool& cancelled) {
    auto* line = dynamic_cast<TLOLine*>(&object);
    if (!line || dynamic_cast<TLODecoLine*>(line)) return false;
    TfrmLineProperty dialog(dynamic_cast<TLOCurve*>(line) != nullptr, QApplication::activeWindow());
    editInDialog(*line, dialog, cancelled);
    return true;
}

}  // namespace poremi
