#pragma once
// Test objects for the draw site: a filled box that turns about its centre, and a fixture
// that shows a site in a scroll area and drives it with the pointer and keys.

#include "document/model/designer.h"
#include "document/model/property_interfaces.h"
#include "document/model/rect_object.h"
#include "edit/draw_site_widget.h"

#include <QtCore/QEvent>
#include <QtCore/QPointer>
#include <QtGui/QColor>
#include <QtWidgets/QScrollArea>
#include <gtest/gtest.h>

namespace poremi::testing {

class TTurnBox : public TLORectBase, public IDOAngle {
    POREMI_PERSISTENT(TTurnBox)
public:
    using TLORectBase::TLORectBase;

    int angle() const override { return angle_; }
    void setAngle(int angle) override;
    bool keepAspect() const override { return keepAspect_; }
    void setKeepAspect(bool keep) { keepAspect_ = keep; }

    // The turned rectangle's corners.
    QPolygon corners() const;
    TRect getBounds() const override;
    bool hitTest(QPoint point) const override;
    void setExtent(int width, int height) override { setRect({left(), top(), left() + width, top() + height}); }
    void strokeOutline(QPainter& painter) override;

    // How often the object painted itself.
    int paints = 0;

protected:
    void paint(QPainter& painter) override;

private:
    int angle_ = 0;
    bool keepAspect_ = false;
};

// Makes a TTurnBox for the tool "TLOField", which the user draws with the mouse.
class TurnBoxMaker : public TDODesigner {
public:
    std::unique_ptr<TDrawObject> createInstance(const QString& toolName) override;
};

// A shown site (254 units to the inch at 96 dpi) in a scroll area, the site's designers
// registered and the history empty.
class SiteTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TTurnBox* addBox(const TRect& r, int angle = 0);
    void setScale(int scale);
    QPoint px(QPoint logical) const { return site->logToPixel(logical); }

    // The pointer, in the site's pixels.
    void press(QPoint pixel, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton);
    void moveTo(QPoint pixel, Qt::KeyboardModifiers modifiers = {});
    void release(QPoint pixel, Qt::KeyboardModifiers modifiers = {});
    // Press, two moves (halfway and to the end) and release, all with the same modifiers.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {});
    void key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = {});

    QScrollArea area;
    QPointer<TDrawSite> site;
};

// The logical offset a drag of pixels gives at a scale: MulDiv(v, 25400, 96 × scale) at
// both ends, computed in floating point.
int logicalOf(int pixel, int scale);

}  // namespace poremi::testing
