#include "site_test_objects.h"

#include "document/model/action_history.h"
#include "document/stream/class_declaration.h"
#include "edit/ghost.h"
#include "edit/rect_designer.h"
#include "edit/turning.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <cmath>

namespace poremi::testing {

const TClassInfo& TTurnBox::staticClassInfo() {
    static const TClassInfo info = describeClass<TTurnBox, TLORectBase>("TTurnBox", [](auto& c) {
        c.integer("Angle", &TTurnBox::angle, &TTurnBox::setAngle).defaultValue(0);
    });
    return info;
}

void TTurnBox::setAngle(int angle) {
    if (angle == angle_) return;
    angle_ = angle;
    changed();
}

QPolygon TTurnBox::corners() const {
    const TRect r = rect();
    const QPoint c = rectCenter(r);
    QPolygon polygon;
    for (QPoint p : {QPoint(r.left, r.top), QPoint(r.right, r.top), QPoint(r.right, r.bottom), QPoint(r.left, r.bottom)})
        polygon << turnPoint(p, c, angle_);
    return polygon;
}

TRect TTurnBox::getBounds() const {
    if (angle_ == 0) return rect();
    return TRect::fromQRect(corners().boundingRect().adjusted(0, 0, -1, -1));
}

bool TTurnBox::hitTest(QPoint point) const {
    const QPoint back = turnPoint(point, rectCenter(rect()), -angle_);
    return TLORectBase::hitTest(back);
}

void TTurnBox::strokeOutline(QPainter& painter) { painter.drawPolygon(corners()); }

void TTurnBox::paint(QPainter& painter) {
    ++paints;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 130, 180));
    painter.drawPolygon(corners());
}

std::unique_ptr<TDrawObject> TurnBoxMaker::createInstance(const QString& toolName) {
    if (toolName != u"TLOField") return nullptr;
    return std::make_unique<TTurnBox>();
}

int logicalOf(int pixel, int scale) {
    return int(std::lround(pixel * 25400.0 / (96.0 * scale)));
}

void SiteTest::SetUp() {
    TDODesignerList::instance().clear();
    TDODesignerList::instance().registerDesigner(std::make_shared<TLOCreator>());
    TDODesignerList::instance().registerDesigner(std::make_shared<TurnBoxMaker>());
    registerSiteDesigners();
    TActionList::instance().clear();
    site = new TDrawSite;
    site->setResolution({96, 96});
    site->scaler().setUnitDpi(254);
    site->setLogSize(1200, 1200);
    area.setWidget(site);
    area.resize(640, 640);
    area.show();
    QApplication::setActiveWindow(&area);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    site->setFocus();
}

void SiteTest::TearDown() {
    TGhostList::instance().clear();
    TActionList::instance().clear();
    TDODesignerList::instance().clear();
}

TTurnBox* SiteTest::addBox(const TRect& r, int angle) {
    auto* box = new TTurnBox(site);
    box->setRect(r);
    box->setAngle(angle);
    site->addDrawObject(*box);
    site->setModified(false);
    return box;
}

void SiteTest::setScale(int scale) { site->scaler().setScale(scale); }

static void sendMouse(QWidget* widget, QEvent::Type type, QPoint pixel, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, QPointF(pixel), QPointF(widget->mapToGlobal(pixel)), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

void SiteTest::press(QPoint pixel, Qt::KeyboardModifiers modifiers, Qt::MouseButton button) {
    sendMouse(site, QEvent::MouseButtonPress, pixel, button, button, modifiers);
}

void SiteTest::moveTo(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    sendMouse(site, QEvent::MouseMove, pixel, Qt::NoButton, Qt::LeftButton, modifiers);
}

void SiteTest::release(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    sendMouse(site, QEvent::MouseButtonRelease, pixel, Qt::LeftButton, Qt::NoButton, modifiers);
}

void SiteTest::drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
    press(from, modifiers);
    moveTo((from + to) / 2, modifiers);
    moveTo(to, modifiers);
    release(to, modifiers);
}

void SiteTest::key(QEvent::Type type, int code, Qt::KeyboardModifiers modifiers) {
    QKeyEvent event(type, code, modifiers);
    QApplication::sendEvent(site, &event);
}

}  // namespace poremi::testing
