#include "objects/jan_object.h"

#include "base/arithmetic.h"
#include "document/stream/class_declaration.h"
#include "objects/jan_code.h"
#include "render/geometry/transformer.h"

#include <QtGui/QPainter>

namespace poremi {

const TClassInfo& TLOJANCode::staticClassInfo() {
    static const TClassInfo info = describeClass<TLOJANCode, TLORectBase>("TLOJANCode", [](auto& c) {
        c.integer("Angle", &TLOJANCode::angle, &TLOJANCode::setAngle);
        c.string("JANCode", &TLOJANCode::janCode, &TLOJANCode::setJANCode);
        c.object("Font", &TLOJANCode::fontObject);
        c.boolean("ShowNumber", &TLOJANCode::showNumber, &TLOJANCode::setShowNumber);
        c.boolean("ShowFrame", &TLOJANCode::showFrame, &TLOJANCode::setShowFrame);
    });
    return info;
}

TLOJANCode::TLOJANCode(TComponent* owner) : TLORectBase(owner) { setRect({0, 0, 300, 100}); }

template <class T>
void TLOJANCode::set(T& member, const T& value) {
    if (member == value) return;
    member = value;
    updateControlBounds();
    changed();
}

void TLOJANCode::setAngle(int angle) { set(angle_, angle); }
void TLOJANCode::setJANCode(const QString& code) { set(janCode_, code); }
void TLOJANCode::setFont(const TPointBasedFont& font) { set(font_, font); }
void TLOJANCode::setShowNumber(bool show) { set(showNumber_, show); }
void TLOJANCode::setShowFrame(bool show) { set(showFrame_, show); }

QPolygon TLOJANCode::outline() const {
    const TRect& r = rect();
    const TRotator rotator(angle_, rectCenter(r));
    return QPolygon({rotator.transformPoint({r.left, r.top}), rotator.transformPoint({r.right, r.top}),
                     rotator.transformPoint({r.right, r.bottom}), rotator.transformPoint({r.left, r.bottom})});
}

TRect TLOJANCode::getBounds() const {
    if (angle_ % 360 == 0) return rect();
    const QRect box = outline().boundingRect();
    return {box.left(), box.top(), box.left() + box.width() - 1, box.top() + box.height() - 1};
}

bool TLOJANCode::hitTest(QPoint point) const {
    if (angle_ % 360 == 0) return TLORectBase::hitTest(point);
    return outline().containsPoint(point, Qt::OddEvenFill);
}

void TLOJANCode::setExtent(int width, int height) {
    const TRect& r = rect();
    const TRect bounds = getBounds();
    const auto scaled = [](int size, int wanted, int current) { return current == 0 ? size : mulDiv(size, wanted, current); };
    const int w = angle_ % 360 == 0 ? width : scaled(TLORectBase::width(), width, rectWidth(bounds));
    const int h = angle_ % 360 == 0 ? height : scaled(TLORectBase::height(), height, rectHeight(bounds));
    setRect({r.left, r.top, r.left + w, r.top + h});
}

void TLOJANCode::strokeOutline(QPainter& painter) { painter.drawPolygon(outline()); }

void TLOJANCode::paint(QPainter& painter) {
    TJANCode(font_, std::uint32_t(font_.color())).draw(painter, janCode_, rect(), showFrame_, showNumber_, angle_);
}

}  // namespace poremi
