#include "edit/object_ghost.h"

#include "document/model/action_history.h"
#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/object_actions.h"
#include "edit/draw_site_widget.h"

#include <QtGui/QPainter>

namespace poremi {

TRect keepCentreInside(const TRect& r, const TRect& area) {
    constexpr int margin = 10;
    const QPoint c = rectCenter(r);
    const auto pull = [](int v, int low, int high) { return v < low ? low - v : v > high ? high - v : 0; };
    return offsetRect(r, pull(c.x(), area.left + margin, area.right - margin), pull(c.y(), area.top + margin, area.bottom - margin));
}

TUniversalGhost::TUniversalGhost(TDrawObject& object, int handle, QString caption)
    : object_(std::make_unique<WatchedObject>(&object)), ghost_(TDrawObject::clone(object)), handle_(handle), caption_(std::move(caption)) {}

TUniversalGhost::~TUniversalGhost() = default;

TDrawObject* TUniversalGhost::object() const { return object_->get(); }

void TUniversalGhost::paint(QPainter& painter) const {
    auto* outline = dynamic_cast<IDOOutline*>(ghost_.get());
    if (!outline) return;
    site().scaler().prepareCanvas(painter, site().resolution().y);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    outline->strokeOutline(painter);
}

QRect TUniversalGhost::paintBounds() const { return site().logToPixelRect(ghost_->getBounds()); }

void TUniversalGhost::finish(Qt::KeyboardModifiers) { apply(caption_); }

void TUniversalGhost::apply(const QString& caption) {
    TDrawObject* target = object();
    if (!target) return;
    if (caption.isEmpty()) {
        target->assign(*ghost_);
        return;
    }
    auto action = std::make_unique<TDOChangeAction>(*target, caption);
    target->assign(*ghost_);
    TDOChangeAction::commit(std::move(action), TActionList::instance());
}

void TUniversalGhost::resetGhost() {
    if (TDrawObject* target = object()) ghost_->assign(*target);
}

}  // namespace poremi
