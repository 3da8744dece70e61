#include "edit/curve_ghost.h"

#include "base/arithmetic.h"
#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/property_interfaces.h"
#include "edit/draw_site_widget.h"
#include "edit/line_ghost.h"
#include "edit/pivot.h"
#include "render/geometry/arc.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace poremi {

namespace {

// Bulges this close to straight snap to straight text.
constexpr int kStraightSnap = 49;
// The shortest radius the arc slides on in circle mode.
constexpr double kMinimumSlideRadius = 50;

QPoint snapped(const TDrawSite& site, QPoint p, Qt::KeyboardModifiers modifiers) {
    const SnapOffset offset = site.snap(std::span(&p, 1), modifiers);
    return p + QPoint(offset.dx.value_or(0), offset.dy.value_or(0));
}

QPoint chordMiddle(QPoint s, QPoint e) { return apexFromChord(s, e, 0); }

// Turned on the page (y downwards) and rounded.
QPoint rotated(QPoint v, double radians) {
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return {int(roundHalfEven(v.x() * c - v.y() * s)), int(roundHalfEven(v.x() * s + v.y() * c))};
}

}  // namespace

IDOCurve* curveOf(TDrawObject& object) {
    auto* curve = dynamic_cast<IDOCurve*>(&object);
    return curve && curve->curveAvailable() ? curve : nullptr;
}

bool isArcText(const TDrawObject& object) {
    return dynamic_cast<const IDOCurve*>(&object) && dynamic_cast<const IDORect*>(&object);
}

QPoint reflectedAcrossChord(QPoint offset, QPoint start, QPoint end) {
    // The chord's direction in whole degrees.
    const double degrees = double(roundHalfEven(std::atan2(double(end.y() - start.y()), double(end.x() - start.x())) * 180 / std::numbers::pi));
    const double phi = degrees * std::numbers::pi / 180;
    const QPoint along = rotated(offset, -phi);
    return rotated(QPoint(-along.x(), along.y()), phi);
}

TCurveGhost::TCurveGhost(TDrawObject& object, int handle, const MoveOptions& options)
    : TCurveGhost(object, handle, options, QStringLiteral("移動・サイズ変更")) {}

TCurveGhost::TCurveGhost(TDrawObject& object, int handle, const MoveOptions& options, QString caption)
    : TUniversalGhost(object, handle, std::move(caption)), options_(options) {
    if (IDOCurve* curve = curveOf(object)) setStartArc(curve->startPoint(), curve->endPoint(), curve->apex());
}

void TCurveGhost::setStartArc(QPoint start, QPoint end, QPoint apex) {
    s0_ = start;
    e0_ = end;
    a0_ = apex;
}

void TCurveGhost::begin(QPoint start) {
    TUniversalGhost::begin(start);
    if (auto* copy = dynamic_cast<IDOCurve*>(&ghostObject())) copy->beginCurveEdit();
}

void TCurveGhost::move(Qt::KeyboardModifiers modifiers, QPoint offset) {
    auto* copy = dynamic_cast<IDOCurve*>(&ghostObject());
    if (!object() || !copy) return;
    if (handle() == handle::curveApex) moveApex(*copy, modifiers, offset);
    else moveEnd(*copy, modifiers, offset);
}

void TCurveGhost::moveEnd(IDOCurve& copy, Qt::KeyboardModifiers modifiers, QPoint offset) {
    const bool fromStart = handle() == handle::curveStart;
    const QPoint dragged0 = fromStart ? s0_ : e0_;
    const QPoint other0 = fromStart ? e0_ : s0_;
    QPoint dragged = dragged0 + offset;
    if (offset != QPoint()) dragged = snapped(site(), dragged, modifiers);
    const bool mirrored = !creating && !(modifiers & Qt::ShiftModifier);
    const QPoint other = mirrored ? other0 + reflectedAcrossChord(offset, s0_, e0_) : other0;
    copy.setStartPoint(fromStart ? dragged : other);
    copy.setEndPoint(fromStart ? other : dragged);
    if (!creating) copy.setApex(a0_);
}

void TCurveGhost::moveApex(IDOCurve& copy, Qt::KeyboardModifiers modifiers, QPoint offset) {
    copy.setStartPoint(s0_);
    copy.setEndPoint(e0_);
    if (options_.steeredBy(modifiers).circle) return slideAlongCircle(copy, offset);
    QPoint p = a0_ + offset;
    if (offset != QPoint()) p = snapped(site(), p, modifiers);
    const int bulge = sagittaFrom3(s0_, p, e0_);
    const int limit = std::min(rectWidth(area()), rectHeight(area()));
    if (std::abs(bulge) > limit) p = apexFromChord(s0_, e0_, bulge > 0 ? limit : -limit);
    // Nearly straight text becomes straight.
    if (isArcText(ghostObject()) && std::abs(sagittaFrom3(s0_, p, e0_)) <= kStraightSnap) p = chordMiddle(s0_, e0_);
    copy.setApex(p);
}

void TCurveGhost::slideAlongCircle(IDOCurve& copy, QPoint offset) {
    const QPoint p = a0_ + offset;
    const QPoint c = rectCenter(area());
    const bool forward = sagittaFrom3(s0_, a0_, e0_) > 0;
    const TArcInfo arc = forward ? arcFrom3(s0_, a0_, e0_) : arcFrom3(e0_, a0_, s0_);
    // The arc keeps its length.
    double half = std::hypot(double(s0_.x() - e0_.x()), double(s0_.y() - e0_.y())) / 2;
    if (arc.radius >= 1 && arc.radius <= 7999) {
        long double end = arc.endAngle;
        while (end < arc.startAngle) end += 2 * std::numbers::pi_v<long double>;
        half = double(arc.radius * (end - arc.startAngle) / 2);
    }
    const double g = std::max(kMinimumSlideRadius, std::hypot(double(p.x() - c.x()), double(p.y() - c.y())));
    const double t = std::atan2(double(p.y() - c.y()), double(p.x() - c.x()));
    const TArcInfo slid{c.x(), c.y(), int(roundHalfEven(g)), t - half / g, t + half / g};
    const TArcPoints ends = arcPoints(slid);
    copy.setStartPoint(forward ? ends.start : ends.end);
    copy.setEndPoint(forward ? ends.end : ends.start);
    copy.setApex(p);
}

void TCurveGhost::finish(Qt::KeyboardModifiers modifiers) {
    if (auto* copy = dynamic_cast<IDOCurve*>(&ghostObject())) copy->endCurveEdit();
    TUniversalGhost::finish(modifiers);
}

TCurveCreateGhost::TCurveCreateGhost(TDrawObject& object, bool siteWasModified)
    : TCurveGhost(object, handle::curveEnd, MoveOptions{}, QString()), siteWasModified_(siteWasModified) {
    creating = true;
}

void TCurveCreateGhost::begin(QPoint start) {
    site().deselectAll();
    const QPoint p = snapped(site(), start, Qt::NoModifier);
    for (TDrawObject* each : {object(), &ghostObject()}) {
        if (auto* curve = dynamic_cast<IDOCurve*>(each)) {
            curve->setStartPoint(p);
            curve->setEndPoint(p);
        }
    }
    setStartArc(p, p, p);
    TCurveGhost::begin(start);
}

void TCurveCreateGhost::finish(Qt::KeyboardModifiers modifiers) {
    TDrawObject* target = object();
    if (!target) return;
    TCurveGhost::finish(modifiers);  // no caption: assigned without a record
    finishCreatedObject(*target);
}

void TCurveCreateGhost::abandon() {
    if (TDrawObject* target = object()) discardCreatedObject(*target, siteWasModified_);
}

}  // namespace poremi
