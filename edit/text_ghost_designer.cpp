#include "edit/text_ghost_designer.h"

#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/property_interfaces.h"
#include "edit/curve_ghost.h"
#include "edit/draw_site_widget.h"
#include "edit/pivot.h"
#include "render/geometry/arc.h"

namespace poremi {

bool TTextGhostDesigner::showHandles(TDrawObject& object) {
    TDrawSite* site = drawSiteOf(object);
    const auto* rect = dynamic_cast<const IDORect*>(&object);
    if (!site || !rect) return false;
    const IDOCurve* curve = curveOf(object);
    if (curve && sagittaFrom3(curve->startPoint(), curve->apex(), curve->endPoint()) != 0) return false;
    if (!rectHandles_.showHandles(object)) return false;
    if (curve) {
        const TRect r{rect->left(), rect->top(), rect->left() + rect->width(), rect->top() + rect->height()};
        site->addPivot({&object, handle::curveApex, PivotKind::Bulge, rectCenter(r), QCursor(object.movable() ? Qt::SizeVerCursor : Qt::ArrowCursor)});
    }
    return true;
}

}  // namespace poremi
