#include "objects/shape_line.h"

#include "base/arithmetic.h"
#include "document/stream/class_declaration.h"
#include "objects/shape_paint.h"
#include "render/geometry/transformer.h"

#include <QtGui/QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace poremi {
namespace {

// Coordinates computed from stored values, which may be anything, stay within 32 bits.
int saturated(qint64 value) { return int(std::clamp<qint64>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

const TClassInfo& TLOLine::staticClassInfo() {
    static const TClassInfo info = describeClass<TLOLine, TLabelObject>("TLOLine", [](auto& c) {
        c.integer("StartX", &TLOLine::startX, &TLOLine::setStartX);
        c.integer("StartY", &TLOLine::startY, &TLOLine::setStartY);
        c.integer("EndX", &TLOLine::endX, &TLOLine::setEndX);
        c.integer("EndY", &TLOLine::endY, &TLOLine::setEndY);
        c.object("LineColor", &TLOLine::lineColorObject);
        c.integer("LineWidth", &TLOLine::lineWidth, &TLOLine::setLineWidth);
        c.integer("Angle", &TLOLine::angle, &TLOLine::setStoredAngle).notStored();
    });
    return info;
}

TLOLine::TLOLine(TComponent* owner) : Blendable<TLabelObject>(owner) { listener().listenTo(lineColor_.notifier()); }

void TLOLine::prepareForTool(const QString& toolName, const DrawSite& site) {
    Blendable<TLabelObject>::prepareForTool(toolName, site);
    if (start_ == end_) setEndPoint(start_ + QPoint(400, 0));
}

void TLOLine::setLineWidth(int width) {
    width = std::max(width, 0);
    if (width == lineWidth_) return;
    lineWidth_ = width;
    updateControlBounds();
    changed();
}

int TLOLine::angle() const {
    const double radians = std::atan2(double(end_.y()) - start_.y(), double(end_.x()) - start_.x());
    return int(roundHalfEven(radians * 180 / std::numbers::pi));
}

void TLOLine::setAngle(int angle) {
    const int turn = angle - this->angle();
    if (turn == 0) return;
    const TRotator rotator(turn, rotationCenter());
    setPoints(rotator.transformPoint(start_), rotator.transformPoint(end_));
}

void TLOLine::setStoredAngle(int) {
    // The angle follows from the points, which a stream or a copy brings first; a stored
    // angle (hostile files may hold one) turns nothing.
}

void TLOLine::setStartPoint(QPoint point) { setPoints(point, end_); }

void TLOLine::setEndPoint(QPoint point) { setPoints(start_, point); }

void TLOLine::setPoints(QPoint start, QPoint end) {
    if (start == start_ && end == end_) return;
    ChangeBracket bracket(changeNotify());
    start_ = start;
    end_ = end;
    pointsChanged();
    updateControlBounds();
    changed();
}

QPoint TLOLine::rotationCenter() const {
    return {saturated((qint64{start_.x()} + end_.x() + 1) / 2), saturated((qint64{start_.y()} + end_.y() + 1) / 2)};
}

QPainterPath TLOLine::centerLine() const {
    QPainterPath path(start_);
    path.lineTo(end_);
    return path;
}

TRect TLOLine::getRect() const { return normalizeRect({start_.x(), start_.y(), end_.x(), end_.y()}); }

TRect TLOLine::getBounds() const {
    const TRect r = getRect();
    const int before = lineWidth_ / 2;
    const int after = lineWidth_ - before;
    return {saturated(qint64{r.left} - before), saturated(qint64{r.top} - before), saturated(qint64{r.right} + after),
            saturated(qint64{r.bottom} + after)};
}

QPainterPath TLOLine::penArea(int width) const {
    return widenedPath(centerLine(), width, Qt::RoundCap, Qt::MiterJoin);
}

bool TLOLine::hitTest(QPoint point) const {
    return covers(penArea(lineWidth_ + sitePixelsInUnits(*this, 1, 3)), point);
}

void TLOLine::moveBy(int dx, int dy) {
    const auto moved = [&](QPoint p) { return QPoint(saturated(qint64{p.x()} + dx), saturated(qint64{p.y()} + dy)); };
    setPoints(moved(start_), moved(end_));
}

void TLOLine::setExtent(int width, int height) {
    // On one axis: the larger coordinate (the end's on a tie) moves, the smaller stays.
    const auto place = [this](int& a, int& b, int extent) {
        const int smaller = std::min(a, b);
        (a > b ? a : b) = saturated(qint64{smaller} + extent - lineWidth_);
    };
    int sx = start_.x(), ex = end_.x(), sy = start_.y(), ey = end_.y();
    place(sx, ex, width);
    place(sy, ey, height);
    setPoints({sx, sy}, {ex, ey});
}

void TLOLine::strokeOutline(QPainter& painter) { painter.drawPath(centerLine()); }

void TLOLine::notify(MessageSender sender, const Guid& message) {
    if (message == msgChanged && sender == &lineColor_.notifier()) changed();
}

void TLOLine::paint(QPainter& painter) { paintThroughClip(painter, penArea(lineWidth_), lineColor_, getBounds()); }

}  // namespace poremi
