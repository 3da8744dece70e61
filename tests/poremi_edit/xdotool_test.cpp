// The site driven by real pointer and key events of an X server (xdotool under Xvfb).

#include "edit/ghost.h"
#include "edit/object_ghost.h"
#include "site_test_objects.h"

#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QScrollBar>

namespace poremi {
namespace {

using testing::TTurnBox;

class XdotoolSite : public testing::SiteTest {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != u"xcb") GTEST_SKIP() << "needs an X server";
        if (QStandardPaths::findExecutable("xdotool").isEmpty()) GTEST_SKIP() << "needs xdotool";
        SiteTest::SetUp();
        ASSERT_EQ(xdotool({"windowfocus", "--sync", QString::number(area.winId())}), 0);
        QTest::qWait(100);
    }
    static int xdotool(const QStringList& arguments) {
        const int result = QProcess::execute("xdotool", arguments);
        QTest::qWait(60);  // the events arrive through the event loop
        return result;
    }
    static int pointerTo(QPoint global) { return xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())}); }
    static TRect ghostBounds() { return dynamic_cast<const TUniversalGhost&>(TGhostList::instance().at(0)).ghostObject().getBounds(); }
};

TEST_F(XdotoolSite, ShiftLocksTheAxisMidDragAndDraggingPastTheEdgeScrolls) {
    setScale(400);
    area.resize(500, 400);
    QTest::qWait(50);
    TTurnBox* box = addBox({100, 100, 200, 160});
    const QPoint start = site->mapToGlobal(px({150, 130}));
    pointerTo(start);
    xdotool({"mousedown", "1"});
    pointerTo(start + QPoint(20, 10));
    pointerTo(start + QPoint(40, 25));
    ASSERT_TRUE(TGhostList::instance().isStarted());
    const TRect free = ghostBounds();
    EXPECT_NE(free.top, 100);

    xdotool({"keydown", "shift"});
    EXPECT_EQ(ghostBounds().top, 100);  // locked without moving the pointer
    EXPECT_EQ(ghostBounds().left, free.left);
    const QImage shot = area.screen()->grabWindow(area.winId()).toImage();
    const QString dir = qEnvironmentVariable("POREMI_TEST_OUTPUT_DIR");
    QDir().mkpath(dir);
    shot.save(dir + QStringLiteral("/xcb_xdotool_shift_lock.png"));

    QScrollBar* bar = area.horizontalScrollBar();
    const int scrolled = bar->value();
    const QPoint beyond = area.viewport()->mapToGlobal(QPoint(area.viewport()->width() + 15, 100));
    pointerTo(beyond);
    pointerTo(beyond + QPoint(2, 0));
    EXPECT_GT(bar->value(), scrolled);

    xdotool({"mouseup", "1"});
    xdotool({"keyup", "shift"});
    EXPECT_FALSE(TGhostList::instance().isStarted());
    EXPECT_EQ(box->top(), 100);
    EXPECT_GT(box->left(), free.left);
}

}  // namespace
}  // namespace poremi
