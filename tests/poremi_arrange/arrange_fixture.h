#pragma once
// A shown draw site with plain boxes for the arrangement commands, and a box that fails on
// request to show that a failing command leaves the history balanced.

#include "document/model/action_history.h"
#include "document/model/property_interfaces.h"
#include "document/model/rect_object.h"
#include "edit/draw_site_widget.h"

#include <QtCore/QPointer>
#include <gtest/gtest.h>

namespace poremi::testing {

// Bounds are the rectangle; the angle is kept but does not turn the bounds.
class TArrangeBox : public TLORectBase, public IDOAngle {
    POREMI_PERSISTENT(TArrangeBox)
public:
    using TLORectBase::TLORectBase;

    // While set, moving, turning and copying a box fail.
    static inline bool failing = false;

    int angle() const override { return angle_; }
    void setAngle(int angle) override;
    void moveBy(int dx, int dy) override;
    void assign(const TPersistent& source) override;
    void setExtent(int width, int height) override { setRect({left(), top(), left() + width, top() + height}); }
    void strokeOutline(QPainter&) override {}

private:
    int angle_ = 0;
};

class ArrangeTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh site of the logical size.
    void makeSite(int width, int height);
    TArrangeBox* addBox(const TRect& r, bool selected = true);
    // The site's objects, back to front.
    std::vector<TDrawObject*> objects() const { return site->drawObjects(); }
    // Every object's bounds, back to front.
    std::vector<TRect> allBounds() const;
    TActionList& history() { return TActionList::instance(); }
    // No group is left open: closing one fails.
    void expectBalancedHistory();

    QPointer<TDrawSite> site;
};

}  // namespace poremi::testing
