#include "arrange_fixture.h"

#include "base/error.h"
#include "document/stream/class_declaration.h"
#include "objects/object_classes.h"

namespace poremi::testing {

const TClassInfo& TArrangeBox::staticClassInfo() {
    static const TClassInfo info = describeClass<TArrangeBox, TLORectBase>("TArrangeBox", [](auto& c) {
        c.integer("Angle", &TArrangeBox::angle, &TArrangeBox::setAngle).defaultValue(0);
    });
    return info;
}

void TArrangeBox::setAngle(int angle) {
    if (failing) throw Exception(QStringLiteral("回せません"));
    if (angle == angle_) return;
    angle_ = angle;
    changed();
}

void TArrangeBox::moveBy(int dx, int dy) {
    if (failing) throw Exception(QStringLiteral("動かせません"));
    TLORectBase::moveBy(dx, dy);
}

void TArrangeBox::assign(const TPersistent& source) {
    if (failing) throw Exception(QStringLiteral("写せません"));
    TLORectBase::assign(source);
}

void ArrangeTest::SetUp() {
    static const bool registered = [] {
        registerObjectClasses();
        return true;
    }();
    (void)registered;
    TArrangeBox::failing = false;
    history().clear();
    makeSite(1000, 600);
}

void ArrangeTest::TearDown() {
    TArrangeBox::failing = false;
    history().clear();
    delete site.data();
}

void ArrangeTest::makeSite(int width, int height) {
    delete site.data();
    site = new TDrawSite;
    site->setResolution({96, 96});
    site->scaler().setUnitDpi(254);
    site->setLogSize(width, height);
}

TArrangeBox* ArrangeTest::addBox(const TRect& r, bool selected) {
    auto* box = new TArrangeBox(site.data());
    box->setRect(r);
    site->addDrawObject(*box);
    box->setSelected(selected);
    return box;
}

std::vector<TRect> ArrangeTest::allBounds() const {
    std::vector<TRect> bounds;
    for (const TDrawObject* object : site->drawObjects()) bounds.push_back(object->getBounds());
    return bounds;
}

void ArrangeTest::expectBalancedHistory() { EXPECT_THROW(history().endGroup(), EActionGroupError); }

}  // namespace poremi::testing
