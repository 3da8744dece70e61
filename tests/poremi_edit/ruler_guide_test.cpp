#include "document/model/grid_guide.h"
#include "edit/ghost.h"
#include "edit/millimetre_text.h"
#include "edit/ruler.h"
#include "edit/site_rulers.h"
#include "site_test_objects.h"

#include <QtCore/QDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QScrollBar>
#include <cmath>

namespace poremi {
namespace {

using testing::logicalOf;
using testing::SiteTest;
using testing::TTurnBox;

TEST(MillimetreText, TenthsOnlyWhenNotZero) {
    const std::pair<int, const char*> cases[] = {{125, "12.5"}, {120, "12"}, {0, "0"}, {7, "0.7"}, {-5, "-0.5"}, {-120, "-12"}};
    for (const auto& [units, text] : cases) EXPECT_EQ(millimetreText(units), QString::fromUtf8(text)) << units;
}

TEST(Ruler, MapsDocumentUnitsOntoItsPixelsFromItsOffset) {
    TRuler ruler(TRuler::rkVertical);
    ruler.setResolution({96, 96});
    ruler.setRulerOffset(10);
    for (const int scale : {25, 100, 400}) {
        ruler.setScale(scale);
        for (const int units : {0, 100, 1234}) {
            const int expected = 10 + int(std::lround(units * 96.0 * scale / 25400));
            EXPECT_EQ(ruler.pixelOf(units), expected) << scale << ' ' << units;
        }
    }
}

// Ink of the label strip (away from the ticks) within the first pixels of the ruler, against
// the ruler's own colour just beside it.
int labelInkNearStart(TRuler& ruler, int span) {
    const QImage image = ruler.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const bool horizontal = ruler.kind() == TRuler::rkHorizontal;
    const auto grey = [&](int along, int across) {
        return qGray(horizontal ? image.pixel(along, across) : image.pixel(across, along));
    };
    int ink = 0;
    for (int along = 1; along < span; ++along)
        for (int across = 2; across < 10; ++across)
            if (grey(along, across) + 60 < grey(along, 1)) ++ink;
    return ink;
}

TEST(Ruler, TheLabelAtTheVeryStartIsPushedInsideNotLeftOut) {
    for (const auto kind : {TRuler::rkHorizontal, TRuler::rkVertical}) {
        TRuler ruler(kind);
        ruler.setResolution({96, 96});
        ruler.setRulerLength(50);
        ruler.setRulerOffset(0);
        ruler.setScale(400);
        if (kind == TRuler::rkHorizontal) ruler.resize(400, 24); else ruler.resize(24, 400);
        // The first tick (0) stands on the edge: half of its label would be outside.
        EXPECT_GT(labelInkNearStart(ruler, 6), 3) << int(kind);
    }
}

// A site between a ruler on top and one on the left, as the edit screens place them.
class RulerWindow : public SiteTest {
protected:
    void SetUp() override {
        SiteTest::SetUp();
        area.setParent(&window);
        auto* grid = new QGridLayout(&window);
        grid->setSpacing(0);
        grid->setContentsMargins(0, 0, 0, 0);
        horizontal = new TRuler(TRuler::rkHorizontal);
        vertical = new TRuler(TRuler::rkVertical);
        grid->addWidget(horizontal, 0, 1);
        grid->addWidget(vertical, 1, 0);
        grid->addWidget(&area, 1, 1);
        rulers = new SiteRulers(*site, *horizontal, *vertical);
        window.resize(700, 560);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        site->setLogSize(1200, 1000);
        rulers->sync();
    }
    void TearDown() override {
        area.setParent(nullptr);
        SiteTest::TearDown();
    }
    QImage shoot() {
        QTest::qWait(50);
        const QPixmap shot = QGuiApplication::platformName() == u"xcb" ? window.screen()->grabWindow(window.winId()) : window.grab();
        return shot.toImage().convertToFormat(QImage::Format_RGB32);
    }

    QWidget window;
    TRuler* horizontal = nullptr;
    TRuler* vertical = nullptr;
    SiteRulers* rulers = nullptr;
};

TEST_F(RulerWindow, TheRulersLineUpWithTheLabelsEdgesAtEveryZoom) {
    const QString dir = qEnvironmentVariable("POREMI_TEST_OUTPUT_DIR");
    QDir().mkpath(dir);
    for (const int scale : {25, 100, 400}) {
        SCOPED_TRACE(scale);
        setScale(scale);
        area.horizontalScrollBar()->setValue(area.horizontalScrollBar()->maximum() / 3);
        QTest::qWait(1);
        for (const QPoint corner : {QPoint(0, 0), QPoint(1200, 1000)}) {
            const QPoint onSite = site->mapTo(&window, px(corner));
            EXPECT_EQ(horizontal->mapTo(&window, QPoint(horizontal->pixelOf(corner.x()), 0)).x(), onSite.x());
            EXPECT_EQ(vertical->mapTo(&window, QPoint(0, vertical->pixelOf(corner.y()))).y(), onSite.y());
        }
        const QImage shot = shoot();
        shot.save(dir + '/' + QGuiApplication::platformName() + QStringLiteral("_rulers_%1.png").arg(scale));
        // The ruler's end line at 0 mm and the site's frame share their column.
        const int edge = site->mapTo(&window, px({0, 0})).x();
        if (edge > vertical->width() && edge < window.width()) {
            EXPECT_EQ(shot.pixel(edge, horizontal->height() - 2), qRgb(0, 0, 0));
            EXPECT_EQ(shot.pixel(edge, horizontal->height() + 20), qRgb(0, 0, 0));
        }
    }
}

TEST_F(RulerWindow, TheRulersMarkThePointerAndTheSelection) {
    TTurnBox* box = addBox({200, 300, 500, 450});
    moveTo(px({345, 400}));
    EXPECT_EQ(horizontal->pointer(), logicalOf(px({345, 400}).x(), 100));
    EXPECT_EQ(vertical->pointer(), logicalOf(px({345, 400}).y(), 100));
    box->setSelected(true);
    const QImage marked = shoot();
    box->setSelected(false);
    const QImage unmarked = shoot();
    // The selection band lightens the ruler between the object's edges.
    const int x = horizontal->mapTo(&window, QPoint(horizontal->pixelOf(350), 0)).x() + 1;
    EXPECT_NE(marked.pixel(x, 2), unmarked.pixel(x, 2));
}

TEST_F(SiteTest, AGuideIsDraggedInStepsOf10UnitsAndRemovedOutsideTheArea) {
    TGrid grid;
    TGuide guide;
    guide.setEnabled(true);
    guide.setVisible(true);
    guide.setGuide(3, {400, 0});
    guide.setGuide(4, {0, 600});
    site->setGridGuide(&grid, &guide);

    press(px({400, 100}));
    ASSERT_TRUE(site->isDraggingGuide());
    EXPECT_TRUE(TGhostList::instance().isEmpty());
    moveTo(px({523, 100}));
    const int expected = (logicalOf(px({523, 100}).x(), 100) + 5) / 10 * 10;
    EXPECT_EQ(site->guideHint(), QStringLiteral("左から%1 右から%2").arg(millimetreText(expected), millimetreText(1200 - expected)));
    release(px({523, 100}));
    EXPECT_FALSE(site->isDraggingGuide());
    EXPECT_EQ(guide.guide(3), QPoint(expected, 0));

    // With Shift the guide takes the pointer's own position.
    press(px({0, 600}));
    ASSERT_TRUE(site->isDraggingGuide());
    moveTo(px({0, 777}), Qt::ShiftModifier);
    release(px({0, 777}), Qt::ShiftModifier);
    EXPECT_EQ(guide.guide(4), QPoint(0, logicalOf(px({0, 777}).y(), 100)));

    // Escape leaves it where it was.
    press(px({expected, 100}));
    moveTo(px({900, 100}));
    key(QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_FALSE(site->isDraggingGuide());
    EXPECT_EQ(guide.guide(3), QPoint(expected, 0));

    // Dragged onto the edge, the guide is shown as removed and removed.
    press(px({expected, 100}));
    moveTo(QPoint(0, px({0, 100}).y()));
    EXPECT_EQ(site->guideHint(), QStringLiteral("ｶﾞｲﾄﾞ削除"));
    release(QPoint(0, px({0, 100}).y()));
    EXPECT_EQ(guide.guide(3), QPoint());
    EXPECT_TRUE(guide.enabled());  // the horizontal one remains
}

TEST_F(RulerWindow, APressOnARulerDragsANewGuideOntoTheSite) {
    TGrid grid;
    TGuide guide;
    site->setGridGuide(&grid, &guide);
    QMouseEvent pressed(QEvent::MouseButtonPress, QPointF(40, 5), QPointF(horizontal->mapToGlobal(QPoint(40, 5))), Qt::LeftButton,
                        Qt::LeftButton, {});
    QApplication::sendEvent(horizontal, &pressed);
    ASSERT_TRUE(site->isDraggingGuide());
    moveTo(px({300, 250}));
    release(px({300, 250}));
    const int y = (logicalOf(px({300, 250}).y(), 100) + 5) / 10 * 10;
    EXPECT_EQ(guide.guide(0), QPoint(0, y));
    EXPECT_TRUE(guide.enabled());
    EXPECT_TRUE(guide.visible());
}

TEST_F(SiteTest, DraggingPastTheEdgeScrolls) {
    setScale(400);
    area.resize(300, 300);
    TTurnBox* box = addBox({100, 100, 200, 200});
    QScrollBar* bar = area.horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const int before = bar->value();
    const QPoint from = px({150, 150});
    press(from);
    const QPoint outside = site->mapFrom(area.viewport(), QPoint(area.viewport()->width() + 10, 100));
    moveTo(outside);
    moveTo(outside + QPoint(1, 0));
    EXPECT_GT(bar->value(), before);
    release(outside + QPoint(1, 0));
    EXPECT_GT(box->left(), 100);
}

TEST_F(SiteTest, DrawToPaintsEveryObjectAtTheAskedScaleAndOrigin) {
    addBox({50, 50, 150, 100});
    addBox({200, 20, 260, 60})->setVisible(false);
    QImage image(600, 300, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);  // 254 dpi: one unit a pixel at 100 %
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    std::vector<int> progress;
    site->onDrawToProgress = [&](int index) { progress.push_back(index); };
    QPainter painter(&image);
    site->drawTo(painter, {20, 30}, 200);
    painter.end();
    EXPECT_EQ(progress, (std::vector<int>{0, 1}));
    EXPECT_EQ(image.pixel(20 + 2 * 100, 30 + 2 * 75), qRgb(70, 130, 180));
    EXPECT_EQ(image.pixel(20 + 2 * 100 + 2 * 60, 30 + 2 * 75), qRgb(255, 255, 255));  // right of the box
    EXPECT_EQ(image.pixel(20 + 2 * 230, 30 + 2 * 40), qRgb(255, 255, 255));          // the hidden box
    EXPECT_EQ(site->scaler().scale(), 100);
}

}  // namespace
}  // namespace poremi
