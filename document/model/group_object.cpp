#include "document/model/group_object.h"

#include "document/model/draw_site.h"
#include "document/model/object_actions.h"
#include "document/stream/class_declaration.h"
#include "render/raster/change_notifier.h"

#include <QtGui/QPainter>
#include <algorithm>
#include <cstdint>

namespace poremi {
namespace {

TRect unite(const TRect& a, const TRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

std::int32_t toInt32(qint64 value) {
    return static_cast<std::int32_t>(std::clamp<qint64>(value, INT32_MIN, INT32_MAX));
}

// One coordinate from the span [fromStart, fromStart + fromExtent) onto one of toExtent,
// multiplying before dividing; a span of no extent keeps the coordinate.
qint64 scaleCoordinate(qint64 value, qint64 fromStart, qint64 fromExtent, qint64 toExtent) {
    if (fromExtent == 0) return value;
    return fromStart + (value - fromStart) * toExtent / fromExtent;
}

}  // namespace

const TClassInfo& TDOGroup::staticClassInfo() {
    static const TClassInfo info = describeClass<TDOGroup, TLabelObject>("TDOGroup");
    return info;
}

std::vector<TDrawObject*> TDOGroup::members() const {
    std::vector<TDrawObject*> found;
    for (TComponent* component : components())
        if (auto* object = dynamic_cast<TDrawObject*>(component)) found.push_back(object);
    return found;
}

void TDOGroup::takeMembers(const std::vector<TDrawObject*>& objects) {
    ChangeBracket bracket(changeNotify());
    for (const TDrawObject* object : objects) insertComponent(TDrawObject::clone(*object).release());
    changed();
}

TRect TDOGroup::getBounds() const {
    const std::vector<TDrawObject*> all = members();
    if (all.empty()) return {};
    TRect bounds = all.front()->getBounds();
    for (const TDrawObject* member : all) bounds = unite(bounds, member->getBounds());
    return bounds;
}

bool TDOGroup::hitTest(QPoint point) const {
    return std::ranges::any_of(members(), [point](const TDrawObject* member) { return member->hitTest(point); });
}

void TDOGroup::setLeft(int left) { moveBy(toInt32(qint64{left} - getBounds().left), 0); }

void TDOGroup::setTop(int top) { moveBy(0, toInt32(qint64{top} - getBounds().top)); }

int TDOGroup::width() const {
    const TRect bounds = getBounds();
    return toInt32(qint64{bounds.right} - bounds.left);
}

int TDOGroup::height() const {
    const TRect bounds = getBounds();
    return toInt32(qint64{bounds.bottom} - bounds.top);
}

void TDOGroup::setWidth(int width) { setExtent(width, height()); }

void TDOGroup::setHeight(int height) { setExtent(width(), height); }

void TDOGroup::moveBy(int dx, int dy) {
    ChangeBracket bracket(changeNotify());
    for (TDrawObject* member : members())
        if (auto* movable = dynamic_cast<IDOMovable*>(member)) movable->moveBy(dx, dy);
    afterEdit();
}

void TDOGroup::setExtent(int width, int height) {
    const TRect bounds = getBounds();
    scaleMembers(bounds, {bounds.left, bounds.top, toInt32(qint64{bounds.left} + width), toInt32(qint64{bounds.top} + height)});
}

void TDOGroup::scaleMembers(const TRect& from, const TRect& to) {
    if (from == to) return;
    ChangeBracket bracket(changeNotify());
    const qint64 fromWidth = qint64{from.right} - from.left, fromHeight = qint64{from.bottom} - from.top;
    const qint64 toWidth = qint64{to.right} - to.left, toHeight = qint64{to.bottom} - to.top;
    const qint64 dx = qint64{to.left} - from.left, dy = qint64{to.top} - from.top;
    for (TDrawObject* member : members()) {
        auto* movable = dynamic_cast<IDOMovable*>(member);
        if (!movable) continue;
        const TRect b = movable->getBounds();
        const qint64 left = scaleCoordinate(b.left, from.left, fromWidth, toWidth) + dx;
        const qint64 top = scaleCoordinate(b.top, from.top, fromHeight, toHeight) + dy;
        const qint64 right = scaleCoordinate(b.right, from.left, fromWidth, toWidth) + dx;
        const qint64 bottom = scaleCoordinate(b.bottom, from.top, fromHeight, toHeight) + dy;
        movable->moveBy(toInt32(left - b.left), toInt32(top - b.top));
        movable->setExtent(toInt32(right - left), toInt32(bottom - top));
    }
    afterEdit();
}

void TDOGroup::strokeOutline(QPainter& painter) {
    for (TDrawObject* member : members())
        if (auto* outline = dynamic_cast<IDOOutline*>(member)) outline->strokeOutline(painter);
}

void TDOGroup::assign(const TPersistent& source) {
    ChangeBracket bracket(changeNotify());
    TLabelObject::assign(source);
    const std::vector<TDrawObject*> sourceMembers = static_cast<const TDOGroup&>(source).members();
    if (&source == this) return;
    freeMembers();
    takeMembers(sourceMembers);
}

std::vector<TDrawObject*> TDOGroup::ungroup(TActionList& history) {
    std::vector<TDrawObject*> placed;
    DrawSite* onSite = site();
    if (!onSite) return placed;
    for (const TDrawObject* member : members()) {
        TDrawObject* clone = TDrawObject::clone(*member).release();
        onSite->insertComponent(clone);
        onSite->addDrawObject(*clone);
        clone->setSelected(true);
        history.addAction(std::make_unique<TDOAddAction>(*clone));
        placed.push_back(clone);
    }
    return placed;
}

void TDOGroup::getChildren(const std::function<void(TComponent&)>& yield) const {
    for (TDrawObject* member : members()) yield(*member);
}

void TDOGroup::paint(QPainter& painter) {
    for (TDrawObject* member : members()) member->paintTo(painter);
}

void TDOGroup::freeMembers() {
    for (TDrawObject* member : members()) delete member;  // a component leaves its owner when freed
}

void TDOGroup::afterEdit() {
    changed();
    updateControlBounds();
}

}  // namespace poremi
