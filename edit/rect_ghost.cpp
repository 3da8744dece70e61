#include "edit/rect_ghost.h"

#include "base/arithmetic.h"
#include "document/model/action_history.h"
#include "document/model/draw_interfaces.h"
#include "document/model/property_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/object_actions.h"
#include "edit/draw_site_widget.h"
#include "edit/turning.h"

#include <algorithm>
#include <cmath>

namespace poremi {

namespace {

TRect rectOf(const IDORect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

int angleOf(const TDrawObject& object) {
    const auto* turning = dynamic_cast<const IDOAngle*>(&object);
    return turning ? turning->angle() : 0;
}

bool movesLeft(int h) { return h == 0 || h == 1 || h == 2; }
bool movesRight(int h) { return h == 5 || h == 6 || h == 7; }
bool movesTop(int h) { return h == 0 || h == 3 || h == 5; }
bool movesBottom(int h) { return h == 2 || h == 4 || h == 7; }
int oppositeHandle(int h) { return 7 - h; }

}  // namespace

QPoint rectHandlePoint(const TRect& r, int handle) {
    const QPoint c = rectCenter(r);
    const int x = movesLeft(handle) ? r.left : movesRight(handle) ? r.right : c.x();
    const int y = movesTop(handle) ? r.top : movesBottom(handle) ? r.bottom : c.y();
    return {x, y};
}

TRectGhost::TRectGhost(TDrawObject& object, int handle, QString caption) : TUniversalGhost(object, handle, std::move(caption)) {
    if (const auto* r = dynamic_cast<const IDORect*>(&object)) r0_ = rectOf(*r);
    angle_ = angleOf(object);
}

TRect TRectGhost::resized(QPoint d, bool keepAspect, int minimum) const {
    const int h = handle();
    TRect r = r0_;
    if (movesLeft(h)) r.left = std::min(r0_.left + d.x(), r0_.right - minimum);
    if (movesRight(h)) r.right = std::max(r0_.right + d.x(), r0_.left + minimum);
    if (movesTop(h)) r.top = std::min(r0_.top + d.y(), r0_.bottom - minimum);
    if (movesBottom(h)) r.bottom = std::max(r0_.bottom + d.y(), r0_.top + minimum);
    const int w0 = rectWidth(r0_);
    const int h0 = rectHeight(r0_);
    if (!keepAspect || w0 <= 0 || h0 <= 0) return r;

    // The largest rectangle of the starting aspect inside the dragged one; a middle handle
    // drives its own axis alone.
    const bool horizontal = movesLeft(h) || movesRight(h);
    const bool vertical = movesTop(h) || movesBottom(h);
    const double sx = double(rectWidth(r)) / w0;
    const double sy = double(rectHeight(r)) / h0;
    double s = horizontal && vertical ? std::min(sx, sy) : horizontal ? sx : sy;
    s = std::max(s, double(minimum) / std::min(w0, h0));
    const int w = std::max(1, int(roundHalfEven(w0 * s)));
    const int ht = std::max(1, int(roundHalfEven(h0 * s)));
    const QPoint c = rectCenter(r0_);
    if (horizontal) {
        if (movesLeft(h)) r.left = r.right - w;
        else r.right = r.left + w;
    } else {
        r.left = c.x() - w / 2;
        r.right = r.left + w;
    }
    if (vertical) {
        if (movesTop(h)) r.top = r.bottom - ht;
        else r.bottom = r.top + ht;
    } else {
        r.top = c.y() - ht / 2;
        r.bottom = r.top + ht;
    }
    return r;
}

void TRectGhost::move(Qt::KeyboardModifiers modifiers, QPoint offset) {
    TDrawObject* target = object();
    auto* rect = dynamic_cast<IDORect*>(&ghostObject());
    if (!target || !rect) return;
    const QPoint c0 = rectCenter(r0_);
    // The dragged point on the page, snapped there, and the move turned into the frame.
    const QPoint handleOnPage = turnPoint(rectHandlePoint(r0_, handle()), c0, angle_);
    QPoint dragged = handleOnPage + offset;
    if (offset != QPoint()) {
        const SnapOffset snapped = site().snap(std::span(&dragged, 1), modifiers);
        dragged += QPoint(snapped.dx.value_or(0), snapped.dy.value_or(0));
    }
    const QPoint inFrame = turnVector(dragged - handleOnPage, -angle_);
    // The object's own answer: a clone need not carry it.
    const auto* own = dynamic_cast<const IDORect*>(target);
    const bool keepAspect = (own && own->keepAspect()) != bool(modifiers & Qt::ShiftModifier);
    const int minimum = modifiers & Qt::ControlModifier ? 1 : 20;
    TRect r = resized(inFrame, keepAspect, minimum);
    if (angle_ != 0) {
        // The fixed point stays where it was on the page.
        const int fixed = oppositeHandle(handle());
        const QPoint before = turnPoint(rectHandlePoint(r0_, fixed), c0, angle_);
        const QPoint after = turnPoint(rectHandlePoint(r, fixed), rectCenter(r), angle_);
        r = offsetRect(r, before.x() - after.x(), before.y() - after.y());
    }
    r = keepCentreInside(r, area());
    resetGhost();
    rect->setLeft(r.left);
    rect->setTop(r.top);
    rect->setWidth(rectWidth(r));
    rect->setHeight(rectHeight(r));
}

TRectCreateGhost::TRectCreateGhost(TDrawObject& object, bool siteWasModified)
    : TRectGhost(object, 7, QString()), siteWasModified_(siteWasModified) {}

void TRectCreateGhost::begin(QPoint start) {
    TUniversalGhost::begin(start);
    site().deselectAll();
    const TRect r{start.x(), start.y(), start.x() + 1, start.y() + 1};
    for (TDrawObject* each : {object(), &ghostObject()}) {
        if (auto* rect = dynamic_cast<IDORect*>(each)) {
            rect->setLeft(r.left);
            rect->setTop(r.top);
            rect->setWidth(1);
            rect->setHeight(1);
        }
    }
    setStartRect(r);
}

void TRectCreateGhost::finish(Qt::KeyboardModifiers) {
    TDrawObject* target = object();
    if (!target) return;
    apply(QString());
    target->setVisible(true);
    target->setSelected(true);
    TActionList::instance().addAction(std::make_unique<TDOAddAction>(*target));
}

void TRectCreateGhost::abandon() {
    TDrawObject* target = object();
    if (!target) return;
    DrawSite* owner = target->site();
    if (owner) owner->removeDrawObject(*target);
    delete target;
    if (owner) owner->setModified(siteWasModified_);
}

TRotateGhost::TRotateGhost(TDrawObject& object) : TUniversalGhost(object, handle::rotate, QStringLiteral("回転")) {
    if (const auto* r = dynamic_cast<const IDORect*>(&object)) centre_ = rectCenter(rectOf(*r));
    angle0_ = angleOf(object);
}

void TRotateGhost::move(Qt::KeyboardModifiers modifiers, QPoint offset) {
    auto* turning = dynamic_cast<IDOAngle*>(&ghostObject());
    if (!object() || !turning) return;
    int angle = angle0_ + int(roundHalfEven(angleAround(centre_, startPoint(), startPoint() + offset)));
    if (modifiers & Qt::ShiftModifier) angle = snapTo45(angle);
    resetGhost();
    turning->setAngle(normalizedAngle(angle));
}

}  // namespace poremi
