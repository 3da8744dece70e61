#include "edit/line_ghost.h"

#include "document/model/action_history.h"
#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/object_actions.h"
#include "edit/draw_site_widget.h"
#include "edit/pivot.h"

namespace poremi {

void finishCreatedObject(TDrawObject& object) {
    object.setVisible(true);
    object.setSelected(true);
    TActionList::instance().addAction(std::make_unique<TDOAddAction>(object));
}

void discardCreatedObject(TDrawObject& object, bool siteWasModified) {
    DrawSite* owner = object.site();
    if (owner) owner->removeDrawObject(object);
    delete &object;
    if (owner) owner->setModified(siteWasModified);
}

TLineGhost::TLineGhost(TDrawObject& object, int handle, QString caption) : TUniversalGhost(object, handle, std::move(caption)) {
    if (const auto* line = dynamic_cast<const IDOLinePoints*>(&object))
        p0_ = handle == handle::lineStart ? line->startPoint() : line->endPoint();
}

void TLineGhost::move(Qt::KeyboardModifiers modifiers, QPoint offset) {
    auto* line = dynamic_cast<IDOLinePoints*>(&ghostObject());
    if (!object() || !line) return;
    QPoint p = p0_ + offset;
    if (offset != QPoint()) {
        const SnapOffset snapped = site().snap(std::span(&p, 1), modifiers);
        p += QPoint(snapped.dx.value_or(0), snapped.dy.value_or(0));
    }
    resetGhost();
    if (handle() == handle::lineStart) line->setStartPoint(p);
    else line->setEndPoint(p);
}

TLineCreateGhost::TLineCreateGhost(TDrawObject& object, bool siteWasModified)
    : TLineGhost(object, handle::lineEnd, QString()), siteWasModified_(siteWasModified) {}

void TLineCreateGhost::begin(QPoint start) {
    TUniversalGhost::begin(start);
    site().deselectAll();
    for (TDrawObject* each : {object(), &ghostObject()}) {
        if (auto* line = dynamic_cast<IDOLinePoints*>(each)) {
            line->setStartPoint(start);
            line->setEndPoint(start);
        }
    }
    setStartPointOfDrag(start);
}

void TLineCreateGhost::finish(Qt::KeyboardModifiers) {
    TDrawObject* target = object();
    if (!target) return;
    apply(QString());
    finishCreatedObject(*target);
}

void TLineCreateGhost::abandon() {
    if (TDrawObject* target = object()) discardCreatedObject(*target, siteWasModified_);
}

}  // namespace poremi
