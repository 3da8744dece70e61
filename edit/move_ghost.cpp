#include "edit/move_ghost.h"

#include "base/arithmetic.h"
#include "document/model/action_history.h"
#include "document/model/draw_interfaces.h"
#include "document/model/property_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/object_actions.h"
#include "edit/draw_site_widget.h"
#include "edit/turning.h"

#include <QtGui/QPainter>
#include <array>
#include <cmath>
#include <numbers>

namespace poremi {

MoveOptions MoveOptions::steeredBy(Qt::KeyboardModifiers modifiers) const {
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool alt = modifiers & Qt::AltModifier;
    MoveOptions o = *this;
    if (alt && !shift) {
        o.circle = o.axisLock = o.rotateWithMove = o.rotateInCircle = o.angleSnap = false;
    } else if (shift && alt) {
        o.circle = !o.circle;
    } else if (shift) {
        if (o.circle)
            o.angleSnap = !o.angleSnap;
        else
            o.axisLock = !o.axisLock;
    }
    return o;
}

TMoveGhost::TMoveGhost(TDrawObject& object, const MoveOptions& options, bool plain)
    : TUniversalGhost(object, handle::move, QStringLiteral("移動")), options_(plain ? MoveOptions{} : options), plain_(plain) {}

std::pair<TRect, double> TMoveGhost::circleMove(const TRect& r0, QPoint offset, const MoveOptions& options) const {
    const QPointF c = QPointF(rectCenter(area()));
    const QPointF from = QPointF(startPoint()) - c;
    const QPointF to = QPointF(startPoint() + offset) - c;
    const double radial = std::hypot(to.x(), to.y()) - std::hypot(from.x(), from.y());
    double turn = std::atan2(to.y(), to.x()) - std::atan2(from.y(), from.x());
    if (turn > std::numbers::pi) turn -= 2 * std::numbers::pi;
    if (turn <= -std::numbers::pi) turn += 2 * std::numbers::pi;
    const QPointF centre = QPointF(rectCenter(r0)) - c;
    const double distance = std::hypot(centre.x(), centre.y());
    if (std::abs(radial) > std::abs(turn) * std::hypot(from.x(), from.y())) {
        // An object in the very middle has no direction to move away in.
        if (distance == 0) return {r0, 0};
        const QPointF moved = centre * ((distance + radial) / distance);
        return {centerRectAt(r0, QPoint(int(roundHalfEven(moved.x() + c.x())), int(roundHalfEven(moved.y() + c.y())))), 0};
    }
    double degrees = turn * 180 / std::numbers::pi;
    if (options.angleSnap && options.angleStep > 0) degrees = std::round(degrees / options.angleStep) * options.angleStep;
    const QPoint turned = turnPoint(rectCenter(r0), rectCenter(area()), degrees);
    return {centerRectAt(r0, turned), options.rotateInCircle ? degrees : 0};
}

void TMoveGhost::move(Qt::KeyboardModifiers modifiers, QPoint offset) {
    TDrawObject* target = object();
    if (!target) return;
    const MoveOptions options = options_.steeredBy(plain_ ? Qt::NoModifier : modifiers);
    const TRect r0 = target->getBounds();
    TRect r = offsetRect(r0, offset.x(), offset.y());
    if (offset != QPoint()) {
        const std::array corners{QPoint(r.left, r.top), QPoint(r.right, r.top), QPoint(r.left, r.bottom), QPoint(r.right, r.bottom)};
        const SnapOffset snapped = site().snap(corners, modifiers);
        r = offsetRect(r, snapped.dx.value_or(0), snapped.dy.value_or(0));
    }
    double rotation = 0;
    circleShown_ = options.circle;
    if (options.circle) {
        std::tie(r, rotation) = circleMove(r0, offset, options);
    } else {
        if (options.axisLock) {
            const int dx = r.left - r0.left;
            const int dy = r.top - r0.top;
            r = std::abs(dx) >= std::abs(dy) ? offsetRect(r0, dx, 0) : offsetRect(r0, 0, dy);
        }
        if (options.rotateWithMove) rotation = angleAround(rectCenter(area()), rectCenter(r0), rectCenter(r));
    }
    r = keepCentreInside(r, area());
    resetGhost();
    if (auto* movable = dynamic_cast<IDOMovable*>(&ghostObject())) movable->moveBy(r.left - r0.left, r.top - r0.top);
    auto* turning = dynamic_cast<IDOAngle*>(&ghostObject());
    if (turning && dynamic_cast<IDOAngle*>(target) && rotation != 0)
        turning->setAngle(normalizedAngle(turning->angle() + int(roundHalfEven(rotation))));
}

void TMoveGhost::paint(QPainter& painter) const {
    TUniversalGhost::paint(painter);
    if (!circleShown_) return;
    // The circle the object travels on, and its radius.
    const QPoint c = rectCenter(area());
    const QPoint centre = rectCenter(ghostObject().getBounds());
    const double radius = std::hypot(centre.x() - c.x(), centre.y() - c.y());
    painter.setPen(QPen(Qt::white, 0, Qt::DashLine));
    painter.drawEllipse(QPointF(c), radius, radius);
    painter.drawLine(c, centre);
}

QRect TMoveGhost::paintBounds() const { return circleShown_ ? site().rect() : TUniversalGhost::paintBounds(); }

void TMoveGhost::finish(Qt::KeyboardModifiers modifiers) {
    TDrawObject* target = object();
    if (!target) return;
    const TRect before = target->getBounds();
    const TRect after = ghostObject().getBounds();
    const auto* turnedBefore = dynamic_cast<IDOAngle*>(target);
    const auto* turnedAfter = dynamic_cast<IDOAngle*>(&ghostObject());
    const bool turned = turnedBefore && turnedAfter && turnedBefore->angle() != turnedAfter->angle();
    if (before.topLeft() == after.topLeft() && !turned) return;
    if (plain_ || !(modifiers & Qt::ControlModifier)) return apply(caption());
    // Drag copy: the original stays where it was.
    DrawSite& owner = site();
    target->setSelected(false);
    TDrawObject* copy = TDrawObject::clone(ghostObject()).release();
    owner.insertComponent(copy);
    owner.addDrawObject(*copy);
    copy->setSelected(true);
    TActionList::instance().addAction(std::make_unique<TDOAddAction>(*copy, QStringLiteral("ドラッグコピー")));
}

}  // namespace poremi
