#include "edit/rect_designer.h"

#include "document/model/draw_interfaces.h"
#include "document/model/property_interfaces.h"
#include "document/model/draw_object.h"
#include "edit/curve_designer.h"
#include "edit/draw_site_widget.h"
#include "edit/ghost.h"
#include "edit/move_ghost.h"
#include "edit/rect_ghost.h"
#include "edit/turning.h"

namespace poremi {

bool TRectGhostDesigner::showHandles(TDrawObject& object) {
    TDrawSite* site = drawSiteOf(object);
    const auto* rect = dynamic_cast<const IDORect*>(&object);
    if (!site || !rect) return false;
    const TRect r{rect->left(), rect->top(), rect->left() + rect->width(), rect->top() + rect->height()};
    const auto* turning = dynamic_cast<const IDOAngle*>(&object);
    const int angle = turning ? turning->angle() : 0;
    static constexpr Qt::CursorShape cursors[8] = {Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
                                                   Qt::SizeVerCursor,   Qt::SizeBDiagCursor, Qt::SizeHorCursor, Qt::SizeFDiagCursor};
    for (int h = 0; h < 8; ++h) {
        TPivot pivot{&object, h, PivotKind::Label, turnPoint(rectHandlePoint(r, h), rectCenter(r), angle), QCursor(cursors[h])};
        if (turning && (h == 2 || h == 5)) {
            pivot.index = handle::rotate;
            pivot.kind = PivotKind::Rotate;
            pivot.cursor = rotationCursor();
        }
        if (!object.movable()) pivot.cursor = Qt::ArrowCursor;
        site->addPivot(pivot);
    }
    return true;
}

bool TRectGhostDesigner::beginDrag(TDrawObject& object, int h) {
    TDrawSite* site = drawSiteOf(object);
    if (!site || !dynamic_cast<IDORect*>(&object)) return false;
    std::unique_ptr<TGhost> ghost;
    if (h == handle::move)
        ghost = std::make_unique<TMoveGhost>(object, site->moveOptions);
    else if (h == handle::create)
        ghost = std::make_unique<TRectCreateGhost>(object, site->wasModifiedBeforeAdding(object));
    else if (h >= 0 && h <= 7)
        ghost = std::make_unique<TRectGhost>(object, h);
    else if (h == handle::rotate && dynamic_cast<IDOAngle*>(&object))
        ghost = std::make_unique<TRotateGhost>(object);
    if (!ghost) return false;
    TGhostList::instance().addGhost(std::move(ghost));
    return true;
}

void registerSiteDesigners() {
    TDODesignerList::instance().registerDesigner(std::make_shared<TRectGhostDesigner>());
    registerArcDesigners();
}

}  // namespace poremi
