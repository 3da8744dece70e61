#pragma once
// A label object described by an axis-aligned logical rectangle (0.1 mm units).

#include "document/model/draw_interfaces.h"
#include "document/model/label_object.h"

namespace poremi {

class TLORectBase : public TLabelObject, public IDOMovable, public IDOLineRect, public IDORect, public IDOOutline {
    POREMI_PERSISTENT(TLORectBase)
public:
    using TLabelObject::TLabelObject;

    // The stored rectangle, normalised (Left ≤ Right, Top ≤ Bottom); empty at (0, 0) when new.
    const TRect& rect() const { return rect_; }
    // Normalises; an unchanged rectangle is no change.
    virtual void setRect(const TRect& rect);

    // Published: Left and Top keep the size, Width and Height keep Left and Top.
    int left() const override { return rect_.left; }
    void setLeft(int left) override;
    int top() const override { return rect_.top; }
    void setTop(int top) override;
    int width() const override;
    void setWidth(int width) override;
    int height() const override;
    void setHeight(int height) override;
    bool keepAspect() const override { return false; }

    // Inside the rectangle; the right and bottom edges lie outside.
    bool hitTest(QPoint point) const override;
    TRect getBounds() const override { return rect_; }
    TRect getRect() const override { return rect_; }
    void moveBy(int dx, int dy) override;
    void paintTo(QPainter& painter) override { TLabelObject::paintTo(painter); }

private:
    TRect rect_;
};

}  // namespace poremi
