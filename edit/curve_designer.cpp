#include "edit/curve_designer.h"

#include "document/model/draw_object.h"
#include "document/model/property_interfaces.h"
#include "edit/curve_ghost.h"
#include "edit/draw_site_widget.h"
#include "edit/ghost.h"
#include "edit/line_designer.h"
#include "edit/text_ghost_designer.h"

namespace poremi {

bool TCurveGhostDesigner::showHandles(TDrawObject& object) {
    TDrawSite* site = drawSiteOf(object);
    const IDOCurve* curve = curveOf(object);
    if (!site || !curve) return false;
    const bool movable = object.movable();
    const QCursor along(movable ? Qt::SizeHorCursor : Qt::ArrowCursor);
    site->addPivot({&object, handle::curveStart, PivotKind::Label, curve->startPoint(), along});
    site->addPivot({&object, handle::curveEnd, PivotKind::Label, curve->endPoint(), along});
    site->addPivot({&object, handle::curveApex, PivotKind::Bulge, curve->apex(), QCursor(movable ? Qt::SizeVerCursor : Qt::ArrowCursor)});
    return true;
}

bool TCurveGhostDesigner::beginDrag(TDrawObject& object, int h) {
    TDrawSite* site = drawSiteOf(object);
    if (!site || !curveOf(object)) return false;
    std::unique_ptr<TGhost> ghost;
    if (h == handle::move) ghost = std::make_unique<TMoveGhost>(object, site->moveOptions);
    else if (h == handle::create) ghost = std::make_unique<TCurveCreateGhost>(object, site->wasModifiedBeforeAdding(object));
    else if (h == handle::curveStart || h == handle::curveEnd || h == handle::curveApex)
        ghost = std::make_unique<TCurveGhost>(object, h, site->moveOptions);
    if (!ghost) return false;
    TGhostList::instance().addGhost(std::move(ghost));
    return true;
}

void registerArcDesigners() {
    TDODesignerList& designers = TDODesignerList::instance();
    designers.registerDesigner(std::make_shared<TLineGhostDesigner>());
    designers.registerDesigner(std::make_shared<TCurveGhostDesigner>());
    designers.registerDesigner(std::make_shared<TTextGhostDesigner>());
}

}  // namespace poremi
