#include "document/model/rect_object.h"

#include "document/stream/class_declaration.h"

#include <algorithm>
#include <cstdint>

namespace poremi {
namespace {

// Edges computed from stored values, which may be anything, stay within 32 bits.
std::int32_t edge(qint64 value) {
    return static_cast<std::int32_t>(std::clamp<qint64>(value, INT32_MIN, INT32_MAX));
}

// The normalised r moved to (left, top), as near as 32 bits allow while keeping its size.
TRect movedTo(const TRect& r, qint64 left, qint64 top) {
    const qint64 width = qint64{r.right} - r.left;
    const qint64 height = qint64{r.bottom} - r.top;
    const auto l = static_cast<std::int32_t>(std::clamp<qint64>(left, INT32_MIN, INT32_MAX - width));
    const auto t = static_cast<std::int32_t>(std::clamp<qint64>(top, INT32_MIN, INT32_MAX - height));
    return {l, t, static_cast<std::int32_t>(l + width), static_cast<std::int32_t>(t + height)};
}

}  // namespace

const TClassInfo& TLORectBase::staticClassInfo() {
    static const TClassInfo info = describeClass<TLORectBase, TLabelObject>("TLORectBase", [](auto& c) {
        // These take the places of the pixel bounds of the base, now stored.
        c.integer("Left", &TLORectBase::left, &TLORectBase::setLeft);
        c.integer("Top", &TLORectBase::top, &TLORectBase::setTop);
        c.integer("Width", &TLORectBase::width, &TLORectBase::setWidth);
        c.integer("Height", &TLORectBase::height, &TLORectBase::setHeight);
    });
    return info;
}

void TLORectBase::setRect(const TRect& rect) {
    const TRect normal = normalizeRect(rect);
    if (normal == rect_) return;
    rect_ = normal;
    updateControlBounds();
    changed();
}

void TLORectBase::setLeft(int left) { setRect(movedTo(rect_, left, rect_.top)); }

void TLORectBase::setTop(int top) { setRect(movedTo(rect_, rect_.left, top)); }

int TLORectBase::width() const { return edge(qint64{rect_.right} - rect_.left); }

int TLORectBase::height() const { return edge(qint64{rect_.bottom} - rect_.top); }

void TLORectBase::setWidth(int width) { setRect({rect_.left, rect_.top, edge(qint64{rect_.left} + width), rect_.bottom}); }

void TLORectBase::setHeight(int height) { setRect({rect_.left, rect_.top, rect_.right, edge(qint64{rect_.top} + height)}); }

bool TLORectBase::hitTest(QPoint point) const {
    return point.x() >= rect_.left && point.x() < rect_.right && point.y() >= rect_.top && point.y() < rect_.bottom;
}

void TLORectBase::moveBy(int dx, int dy) { setRect(movedTo(rect_, qint64{rect_.left} + dx, qint64{rect_.top} + dy)); }

}  // namespace poremi
