#include "document/model/action_history.h"
#include "edit/curve_ghost.h"
#include "edit/ghost.h"
#include "edit/pivot.h"
#include "objects/shape_curve.h"
#include "objects/text_object.h"
#include "render/geometry/arc.h"
#include "site_test_objects.h"

#include <QtCore/QDir>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <cmath>

namespace poremi {
namespace {

using testing::logicalOf;
using testing::SiteTest;

TActionList& history() { return TActionList::instance(); }

struct Reflection {
    QPoint start;
    QPoint end;
    QPoint offset;
    QPoint reflected;
};

class ReflectedOffset : public ::testing::TestWithParam<Reflection> {};

TEST_P(ReflectedOffset, NegatesThePartAlongTheChord) {
    const Reflection c = GetParam();
    EXPECT_EQ(reflectedAcrossChord(c.offset, c.start, c.end), c.reflected);
}

INSTANTIATE_TEST_SUITE_P(Chords, ReflectedOffset,
                         ::testing::Values(Reflection{{0, 0}, {100, 0}, {10, 5}, {-10, 5}},     // along x
                                           Reflection{{100, 0}, {0, 0}, {10, 5}, {-10, 5}},     // backwards
                                           Reflection{{0, 0}, {0, 100}, {10, 5}, {10, -5}},     // along y
                                           Reflection{{0, 0}, {100, 100}, {10, 0}, {0, -10}},   // 45°
                                           Reflection{{0, 0}, {100, 100}, {-6, 6}, {-6, 6}},    // across a 45° chord
                                           Reflection{{5, 5}, {5, 5}, {8, 3}, {-8, 3}}));      // no chord: taken as 0°

class CurveSite : public SiteTest {
protected:
    // A curve over a horizontal chord, bulging upwards.
    TLOCurve* addCurve(QPoint start = {300, 500}, QPoint end = {700, 500}, int bulge = 100) {
        auto* curve = new TLOCurve(site);
        curve->setStartPoint(start);
        curve->setEndPoint(end);
        curve->setBulge(bulge);
        site->addDrawObject(*curve);
        site->setModified(false);
        return curve;
    }
    TLOText* addText(const TRect& r, int bulge) {
        auto* text = new TLOText(site);
        text->setText({QStringLiteral("円弧の文字")});
        text->setAutoSize(false);
        text->setRect(r);
        text->setBulge(bulge);
        site->addDrawObject(*text);
        site->setModified(false);
        return text;
    }
    void select(TDrawObject& object) {
        object.setSelected(true);
        site->refreshHandles();
    }
    // After an undo the handles are where the object was.
    void renewHandles() {
        site->hideHandles();
        site->refreshHandles();
    }
    const TPivot* pivot(int index) const {
        for (const TPivot& each : site->pivots())
            if (each.index == index) return &each;
        return nullptr;
    }
    static QPoint logicalOffset(QPoint from, QPoint to, int scale) {
        return {logicalOf(to.x(), scale) - logicalOf(from.x(), scale), logicalOf(to.y(), scale) - logicalOf(from.y(), scale)};
    }
};

TEST_F(CurveSite, AnArcShowsItsEndsAndABulgeHandleOnTheApex) {
    TLOCurve* curve = addCurve();
    select(*curve);
    ASSERT_EQ(site->pivots().size(), 3u);
    ASSERT_TRUE(pivot(handle::curveStart) && pivot(handle::curveEnd) && pivot(handle::curveApex));
    EXPECT_EQ(pivot(handle::curveStart)->position, QPoint(300, 500));
    EXPECT_EQ(pivot(handle::curveEnd)->position, QPoint(700, 500));
    EXPECT_EQ(pivot(handle::curveApex)->position, QPoint(500, 400));
    EXPECT_EQ(pivot(handle::curveApex)->kind, PivotKind::Bulge);
    EXPECT_EQ(pivot(handle::curveStart)->cursor.shape(), Qt::SizeHorCursor);
    EXPECT_EQ(pivot(handle::curveApex)->cursor.shape(), Qt::SizeVerCursor);

    // A straight curve keeps its bulge handle, so that it can be bent again.
    curve->setBulge(0);
    site->refreshHandles();
    ASSERT_NE(pivot(handle::curveApex), nullptr);
    EXPECT_EQ(pivot(handle::curveApex)->position, QPoint(500, 500));
}

struct EndCase {
    int scale;
    int handle;
    QPoint pixels;
    Qt::KeyboardModifiers modifiers;
};

class CurveEndDrag : public CurveSite, public ::testing::WithParamInterface<EndCase> {};

// Over the horizontal chord the other end mirrors the x part of the move and follows its
// y part; with Shift it stays.
TEST_P(CurveEndDrag, MovesTheEndAndMirrorsTheOtherUnlessShiftIsHeld) {
    const EndCase c = GetParam();
    setScale(c.scale);
    const QPoint s{300, 500};
    const QPoint e{700, 500};
    TLOCurve* curve = addCurve(s, e, 100);
    select(*curve);
    const bool fromStart = c.handle == handle::curveStart;
    const QPoint from = px(fromStart ? s : e);
    drag(from, from + c.pixels, c.modifiers);

    const QPoint d = logicalOffset(from, from + c.pixels, c.scale);
    ASSERT_NE(d.x(), 0);
    const QPoint mirrored = c.modifiers & Qt::ShiftModifier ? QPoint() : QPoint(-d.x(), d.y());
    EXPECT_EQ(curve->startPoint(), fromStart ? s + d : s + mirrored);
    EXPECT_EQ(curve->endPoint(), fromStart ? e + mirrored : e + d);
    // The arc still runs through the apex where it was.
    EXPECT_EQ(curve->bulge(), sagittaFrom3(curve->startPoint(), {500, 400}, curve->endPoint()));
    if (d.y() == 0 && !(c.modifiers & Qt::ShiftModifier)) EXPECT_EQ(curve->apex(), QPoint(500, 400));
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoCaption(), QStringLiteral("移動・サイズ変更"));
    history().undo();
    EXPECT_EQ(curve->startPoint(), s);
    EXPECT_EQ(curve->endPoint(), e);
    EXPECT_EQ(curve->bulge(), 100);
}

INSTANTIATE_TEST_SUITE_P(Zooms, CurveEndDrag,
                         ::testing::Values(EndCase{25, handle::curveEnd, {11, 0}, {}}, EndCase{100, handle::curveEnd, {38, 0}, {}},
                                           EndCase{100, handle::curveStart, {-30, 17}, {}},
                                           EndCase{100, handle::curveEnd, {38, 12}, Qt::ShiftModifier},
                                           EndCase{400, handle::curveStart, {-90, 0}, {}},
                                           EndCase{400, handle::curveStart, {70, -40}, Qt::ShiftModifier}));

class CurveApexDrag : public CurveSite, public ::testing::WithParamInterface<int> {};

TEST_P(CurveApexDrag, TheApexFollowsThePointer) {
    const int scale = GetParam();
    setScale(scale);
    TLOCurve* curve = addCurve();
    select(*curve);
    const QPoint from = px({500, 400});
    const QPoint to = from + QPoint(0, -23);
    drag(from, to);
    // Through the pointer: about as much higher as the pointer moved up.
    const QPoint d = logicalOffset(from, to, scale);
    EXPECT_EQ(curve->bulge(), sagittaFrom3({300, 500}, QPoint(500, 400) + d, {700, 500}));
    EXPECT_NEAR(curve->bulge(), 100 - d.y(), 1);
    EXPECT_EQ(curve->startPoint(), QPoint(300, 500));
    EXPECT_EQ(curve->endPoint(), QPoint(700, 500));
    EXPECT_EQ(history().count(), 1);
    history().undo();
    EXPECT_EQ(curve->bulge(), 100);
}

INSTANTIATE_TEST_SUITE_P(Zooms, CurveApexDrag, ::testing::Values(25, 100, 400));

TEST_F(CurveSite, TheBulgeIsAtMostTheSmallerSideOfTheArea) {
    site->setLogSize(1600, 1000);
    TLOCurve* curve = addCurve();
    select(*curve);
    drag(px({500, 400}), px({500, -4000}));
    EXPECT_EQ(curve->bulge(), 1000);
    history().undo();
    renewHandles();
    drag(px({500, 400}), px({500, 9000}));
    EXPECT_EQ(curve->bulge(), -1000);
}

TEST_F(CurveSite, EscapeCancelsAnApexDrag) {
    TLOCurve* curve = addCurve();
    select(*curve);
    press(px({500, 400}));
    moveTo(px({500, 400}) + QPoint(0, -40));
    key(QEvent::KeyPress, Qt::Key_Escape);
    release(px({500, 400}) + QPoint(0, -40));
    EXPECT_EQ(curve->bulge(), 100);
    EXPECT_EQ(history().count(), 0);
    EXPECT_TRUE(TGhostList::instance().isEmpty());
}

// In circle mode the arc keeps its length and slides along the circle about the area's centre
// through the pointer; Alt alone drops the circle mode.
TEST_F(CurveSite, CircleModeSlidesTheArcAroundTheCentreKeepingItsLength) {
    site->moveOptions.circle = true;
    const QPoint c{600, 600};
    // An arc of radius 400 about the centre: from (200, 600) over (600, 200) to (1000, 600).
    TLOCurve* curve = addCurve({200, 600}, {1000, 600}, 400);
    ASSERT_EQ(curve->apex(), QPoint(600, 200));
    const double length = 400 * std::numbers::pi;
    select(*curve);
    const QPoint to{900, 600};  // a quarter turn to the right, at radius 300
    drag(px({600, 200}), px(to));

    const QPoint s = curve->startPoint();
    const QPoint e = curve->endPoint();
    const auto distance = [c](QPoint p) { return std::hypot(p.x() - c.x(), p.y() - c.y()); };
    const double g = distance(site->pixelToLog(px(to)));
    EXPECT_NEAR(distance(s), g, 1.5);
    EXPECT_NEAR(distance(e), g, 1.5);
    // The arc of radius g as long as before spans length / g radians about the pointer.
    const double spanned = std::atan2(e.y() - c.y(), e.x() - c.x()) - std::atan2(s.y() - c.y(), s.x() - c.x());
    EXPECT_NEAR(std::remainder(spanned, 2 * std::numbers::pi), std::remainder(length / g, 2 * std::numbers::pi), 0.02);
    EXPECT_EQ(history().count(), 1);

    history().undo();
    renewHandles();
    drag(px({600, 200}), px({600, 150}), Qt::AltModifier);
    EXPECT_EQ(curve->startPoint(), QPoint(200, 600));
    EXPECT_EQ(curve->endPoint(), QPoint(1000, 600));
    const QPoint d = logicalOffset(px({600, 200}), px({600, 150}), 100);
    EXPECT_EQ(curve->bulge(), sagittaFrom3({200, 600}, QPoint(600, 200) + d, {1000, 600}));
}

TEST_F(CurveSite, ADrawnCurveKeepsItsBulgeAndACancelledOneLeavesNothing) {
    auto* curve = new TLOCurve(site);
    site->addDrawObject(*curve);
    curve->setVisible(false);
    curve->beginDrag(handle::create);
    const QPoint from = px({150, 250});
    const QPoint to = from + QPoint(150, 20);
    drag(from, to);
    const QPoint start(logicalOf(from.x(), 100), logicalOf(from.y(), 100));
    EXPECT_EQ(curve->startPoint(), start);
    EXPECT_EQ(curve->endPoint(), start + logicalOffset(from, to, 100));
    EXPECT_EQ(curve->bulge(), 30);
    EXPECT_TRUE(curve->isVisible());
    EXPECT_TRUE(curve->isSelected());
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoCaption(), QStringLiteral("追加"));

    site->setModified(false);
    auto* cancelled = new TLOCurve(site);
    site->addDrawObject(*cancelled);
    cancelled->setVisible(false);
    cancelled->beginDrag(handle::create);
    press(from);
    moveTo(to);
    key(QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_EQ(site->drawObjects().size(), 1u);
    EXPECT_FALSE(site->isModified());
    EXPECT_EQ(history().count(), 1);
}

// Text.

TEST_F(CurveSite, StraightTextShowsItsRectangleAndABulgeHandleBentTextItsArc) {
    TLOText* text = addText({200, 300, 800, 400}, 0);
    select(*text);
    ASSERT_EQ(site->pivots().size(), 9u);
    ASSERT_NE(pivot(handle::curveApex), nullptr);
    EXPECT_EQ(pivot(handle::curveApex)->position, QPoint(500, 350));
    EXPECT_EQ(pivot(handle::curveApex)->kind, PivotKind::Bulge);
    EXPECT_EQ(pivot(handle::rotate)->kind, PivotKind::Rotate);
    EXPECT_EQ(pivot(7)->position, QPoint(800, 400));

    // The rectangle's handles still resize it.
    drag(px({800, 400}), px({800, 400}) + QPoint(38, 0));
    EXPECT_EQ(text->rect().right, 800 + logicalOf(px({800, 400}).x() + 38, 100) - logicalOf(px({800, 400}).x(), 100));
    EXPECT_EQ(history().undoCaption(), QStringLiteral("サイズ変更"));
    history().undo();

    text->setBulge(120);
    renewHandles();
    ASSERT_EQ(site->pivots().size(), 3u);
    EXPECT_EQ(pivot(handle::curveStart)->position, text->startPoint());
    EXPECT_EQ(pivot(handle::curveEnd)->position, text->endPoint());
    EXPECT_EQ(pivot(handle::curveApex)->position, text->apex());
}

struct TextBend {
    int pixelsUp;
    int scale;
};

class TextApexDrag : public CurveSite, public ::testing::WithParamInterface<TextBend> {};

// Bulges within ±49 snap to straight text; bigger ones stay.
TEST_P(TextApexDrag, BendsTheTextOrSnapsItStraight) {
    const TextBend c = GetParam();
    setScale(c.scale);
    TLOText* text = addText({200, 300, 800, 400}, 0);
    select(*text);
    const QPoint from = px({500, 350});
    drag(from, from - QPoint(0, c.pixelsUp));
    const int bulge = sagittaFrom3({200, 350}, QPoint(500, 350) + logicalOffset(from, from - QPoint(0, c.pixelsUp), c.scale), {800, 350});
    EXPECT_EQ(text->bulge(), std::abs(bulge) <= 49 ? 0 : bulge);
    EXPECT_EQ(text->rect(), (TRect{200, 300, 800, 400}));
    EXPECT_EQ(text->angle(), 0);
    if (text->bulge() != 0) {
        EXPECT_EQ(history().count(), 1);
        EXPECT_EQ(history().undoCaption(), QStringLiteral("移動・サイズ変更"));
        history().undo();
        EXPECT_EQ(text->bulge(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Bends, TextApexDrag,
                         ::testing::Values(TextBend{10, 100}, TextBend{-18, 100}, TextBend{19, 100}, TextBend{-40, 100},
                                           TextBend{5, 25}, TextBend{80, 400}, TextBend{60, 25}));

TEST_F(CurveSite, DraggingTheEndOfBentTextTurnsItsChord) {
    TLOText* text = addText({200, 300, 800, 400}, 150);
    select(*text);
    // With Shift only the end moves: from (800, 350) down to (800, 950).
    const QPoint from = px({800, 350});
    const QPoint to = px({800, 950});
    drag(from, to, Qt::ShiftModifier);
    const QPoint end = QPoint(800, 350) + logicalOffset(from, to, 100);
    EXPECT_EQ(text->angle(), int(std::lround(std::atan2(end.y() - 350, end.x() - 200) * 180 / std::numbers::pi)));
    EXPECT_NEAR(text->endPoint().x(), end.x(), 1);
    EXPECT_NEAR(text->endPoint().y(), end.y(), 1);
    EXPECT_NEAR(text->startPoint().x(), 200, 1);
    EXPECT_NEAR(text->startPoint().y(), 350, 1);
    EXPECT_EQ(history().count(), 1);
}

// A curve and a text arc with their handles, and the ghost of a bend mid-drag.
class CurveScreenshot : public CurveSite {
protected:
    QImage shoot() {
        QTest::qWait(50);
        const QPixmap shot = QGuiApplication::platformName() == u"xcb" ? area.screen()->grabWindow(area.winId()) : area.grab();
        return shot.toImage().convertToFormat(QImage::Format_RGB32);
    }
    void keep(const QImage& image, const QString& name) {
        const QString dir = qEnvironmentVariable("POREMI_TEST_OUTPUT_DIR");
        QDir().mkpath(dir);
        EXPECT_TRUE(image.save(dir + '/' + QGuiApplication::platformName() + '_' + name));
    }
};

TEST_F(CurveScreenshot, ALineAndACurveWithTheirHandlesAndABendGhost) {
    setScale(150);
    auto* line = new TLOLine(site);
    line->setStartPoint({100, 150});
    line->setEndPoint({700, 250});
    site->addDrawObject(*line);
    TLOCurve* curve = addCurve({150, 700}, {750, 700}, 200);
    line->setSelected(true);
    curve->setSelected(true);
    site->refreshHandles();  // two objects: every handle has the default cursor
    const QImage handles = shoot();
    keep(handles, "curve_handles.png");
    // The bulge handle is a red disc, the end handles black squares.
    EXPECT_EQ(handles.pixel(site->mapTo(&area, px({450, 500}))), qRgb(255, 0, 0));
    EXPECT_EQ(handles.pixel(site->mapTo(&area, px({750, 700}))), qRgb(0, 0, 0));
    EXPECT_EQ(handles.pixel(site->mapTo(&area, px({700, 250}))), qRgb(0, 0, 0));

    line->setSelected(false);
    site->refreshHandles();
    const QPoint from = px({450, 500});
    press(from);
    moveTo(from + QPoint(0, -30));
    moveTo(from + QPoint(0, -60));
    const QImage ghost = shoot();
    keep(ghost, "curve_bend_ghost.png");
    // The dotted ghost arc inverts pixels above the curve's old apex.
    int changed = 0;
    const QPoint top = site->mapTo(&area, from + QPoint(0, -60));
    for (int x = top.x() - 40; x <= top.x() + 40; ++x)
        for (int y = top.y() - 3; y <= top.y() + 3; ++y) changed += handles.pixel(x, y) != ghost.pixel(x, y);
    EXPECT_GT(changed, 10);
    release(from + QPoint(0, -60));
    EXPECT_NEAR(curve->bulge(), 200 - logicalOffset(from, from + QPoint(0, -60), 150).y(), 1);
}

}  // namespace
}  // namespace poremi
