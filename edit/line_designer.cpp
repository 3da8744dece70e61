#include "edit/line_designer.h"

#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "edit/draw_site_widget.h"
#include "edit/ghost.h"
#include "edit/line_ghost.h"
#include "edit/move_ghost.h"

namespace poremi {

bool TLineGhostDesigner::showHandles(TDrawObject& object) {
    TDrawSite* site = drawSiteOf(object);
    const auto* line = dynamic_cast<const IDOLinePoints*>(&object);
    if (!site || !line) return false;
    const QCursor cursor(object.movable() ? Qt::CrossCursor : Qt::ArrowCursor);
    site->addPivot({&object, handle::lineStart, PivotKind::Label, line->startPoint(), cursor});
    site->addPivot({&object, handle::lineEnd, PivotKind::Label, line->endPoint(), cursor});
    return true;
}

bool TLineGhostDesigner::beginDrag(TDrawObject& object, int h) {
    TDrawSite* site = drawSiteOf(object);
    if (!site || !dynamic_cast<IDOLinePoints*>(&object)) return false;
    std::unique_ptr<TGhost> ghost;
    if (h == handle::move) ghost = std::make_unique<TMoveGhost>(object, site->moveOptions);
    else if (h == handle::create) ghost = std::make_unique<TLineCreateGhost>(object, site->wasModifiedBeforeAdding(object));
    else if (h == handle::lineStart || h == handle::lineEnd) ghost = std::make_unique<TLineGhost>(object, h);
    if (!ghost) return false;
    TGhostList::instance().addGhost(std::move(ghost));
    return true;
}

}  // namespace poremi
