#include "objects/dialogs/shape_designers.h"

#include "document/model/action_history.h"
#include "base/native_path.h"
#include "core/app_frame.h"
#include "document/model/object_actions.h"
#include "objects/dialogs/shape_deco_line_property.h"
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

bool TDODecoLineEditor::edit(TDrawObject& object, bool& cancelled) {
    auto* rule = dynamic_cast<TLODecoLine*>(&object);
    if (!rule) return false;
    TAppFrame* frame = TAppFrame::instance();
    const QString folder =
        frame ? frame->locateDataFolder(QStringLiteral("ILLUST\\DecoLine"), QStringLiteral("飾り罫線データ")) : QString();
    if (folder.isEmpty()) {
        cancelled = true;
        return true;
    }
    TfrmDecoLineProperty dialog(toNativePath(folder), rule->site() != nullptr, QApplication::activeWindow());
    editInDialog(*rule, dialog, cancelled);
    return true;
}

}  // namespace poremi
