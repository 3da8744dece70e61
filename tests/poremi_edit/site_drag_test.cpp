#include "document/model/action_history.h"
#include "document/model/grid_guide.h"
#include "edit/ghost.h"
#include "edit/object_ghost.h"
#include "edit/select_ghost.h"
#include "edit/turning.h"
#include "site_test_objects.h"

#include <QtGui/QFocusEvent>
#include <QtWidgets/QApplication>
#include <cmath>

namespace poremi {
namespace {

using testing::logicalOf;
using testing::SiteTest;
using testing::TTurnBox;

TActionList& history() { return TActionList::instance(); }

TRect boundsOfGhost(qsizetype index) {
    return dynamic_cast<const TUniversalGhost&>(TGhostList::instance().at(index)).ghostObject().getBounds();
}

// Selection.

TEST_F(SiteTest, ClicksSelectShiftAddsAndAShiftClickWithoutMoveDeselects) {
    TTurnBox* a = addBox({100, 100, 300, 300});
    TTurnBox* b = addBox({500, 100, 700, 300});
    const QPoint onA = px({200, 200});
    const QPoint onB = px({600, 200});

    drag(onA, onA);
    EXPECT_TRUE(a->isSelected());
    EXPECT_FALSE(b->isSelected());

    drag(onB, onB);
    EXPECT_FALSE(a->isSelected());
    EXPECT_TRUE(b->isSelected());

    drag(onA, onA, Qt::ShiftModifier);
    EXPECT_TRUE(a->isSelected());
    EXPECT_TRUE(b->isSelected());

    drag(onA, onA, Qt::ShiftModifier);  // pressed while selected, released without moving
    EXPECT_FALSE(a->isSelected());
    EXPECT_TRUE(b->isSelected());

    drag(px({900, 900}), px({900, 900}));
    EXPECT_FALSE(b->isSelected());
    EXPECT_EQ(history().count(), 0);
}

TEST_F(SiteTest, RubberBandSelectsWhatLiesWhollyInsideAndShiftKeepsTheSelection) {
    TTurnBox* a = addBox({100, 100, 300, 300});
    TTurnBox* b = addBox({500, 100, 700, 300});
    TTurnBox* c = addBox({100, 500, 300, 700});

    drag(px({50, 50}), px({350, 350}));
    EXPECT_TRUE(a->isSelected());
    EXPECT_FALSE(b->isSelected());

    drag(px({450, 50}), px({650, 350}));  // cuts b: selects nothing, deselects a
    EXPECT_FALSE(a->isSelected());
    EXPECT_FALSE(b->isSelected());

    c->setSelected(true);
    drag(px({450, 50}), px({750, 350}), Qt::ShiftModifier);
    EXPECT_TRUE(b->isSelected());
    EXPECT_TRUE(c->isSelected());
    EXPECT_FALSE(a->isSelected());
}

// Moving.

class MoveAtZoom : public SiteTest, public ::testing::WithParamInterface<int> {};

TEST_P(MoveAtZoom, MovesByTheExactLogicalOffsetAsOneUndoStep) {
    const int scale = GetParam();
    setScale(scale);
    TTurnBox* box = addBox({200, 200, 400, 300});
    const QPoint from = px({300, 250});
    const QPoint to = from + QPoint(37, -11);
    drag(from, to);

    const int dx = logicalOf(to.x(), scale) - logicalOf(from.x(), scale);
    const int dy = logicalOf(to.y(), scale) - logicalOf(from.y(), scale);
    EXPECT_EQ(box->rect(), (TRect{200 + dx, 200 + dy, 400 + dx, 300 + dy}));
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoCaption(), QStringLiteral("移動"));
    history().undo();
    EXPECT_EQ(box->rect(), (TRect{200, 200, 400, 300}));
    EXPECT_TRUE(TGhostList::instance().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Zooms, MoveAtZoom, ::testing::Values(25, 100, 400));

TEST_F(SiteTest, ShiftPressedMidDragLocksTheAxisAtOnce) {
    TTurnBox* box = addBox({200, 200, 400, 300});
    const QPoint from = px({300, 250});
    const QPoint to = from + QPoint(30, 12);
    press(from);
    moveTo(to);
    const TRect free = boundsOfGhost(0);
    EXPECT_NE(free.top, 200);

    key(QEvent::KeyPress, Qt::Key_Shift);  // no pointer move
    TRect locked = boundsOfGhost(0);
    EXPECT_EQ(locked.top, 200);
    EXPECT_EQ(locked.left, free.left);

    key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(boundsOfGhost(0), free);

    key(QEvent::KeyPress, Qt::Key_Shift);
    release(to, Qt::ShiftModifier);
    EXPECT_EQ(box->rect(), locked);
    EXPECT_EQ(history().count(), 1);
}

TEST_F(SiteTest, CtrlDragLeavesTheOriginalAndAddsOneCopy) {
    TTurnBox* box = addBox({200, 200, 400, 300});
    const QPoint from = px({300, 250});
    const QPoint to = from + QPoint(60, 40);
    drag(from, to, Qt::ControlModifier);

    ASSERT_EQ(site->drawObjects().size(), 2u);
    EXPECT_EQ(box->rect(), (TRect{200, 200, 400, 300}));
    EXPECT_FALSE(box->isSelected());
    auto* copy = dynamic_cast<TTurnBox*>(site->drawObjects().back());
    ASSERT_NE(copy, nullptr);
    const int dx = logicalOf(to.x(), 100) - logicalOf(from.x(), 100);
    const int dy = logicalOf(to.y(), 100) - logicalOf(from.y(), 100);
    EXPECT_EQ(copy->rect(), (TRect{200 + dx, 200 + dy, 400 + dx, 300 + dy}));
    EXPECT_TRUE(copy->isSelected());
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoCaption(), QStringLiteral("ドラッグコピー"));
    history().undo();
    EXPECT_EQ(site->drawObjects().size(), 1u);
}

TEST_F(SiteTest, DraggingTwoSelectedObjectsMovesBothInOneStepEvenFromAHandle) {
    TTurnBox* a = addBox({100, 100, 300, 300});
    TTurnBox* b = addBox({500, 100, 700, 300});
    a->setSelected(true);
    b->setSelected(true);
    site->refreshHandles();
    const TPivot* corner = nullptr;
    for (const TPivot& pivot : site->pivots())
        if (pivot.owner == a && pivot.index == 7) corner = &pivot;
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->cursor.shape(), Qt::ArrowCursor);  // several selected: no sizing cursors

    const QPoint from = px(corner->position);
    const QPoint to = from + QPoint(20, 20);
    drag(from, to);
    const int d = logicalOf(to.x(), 100) - logicalOf(from.x(), 100);
    EXPECT_EQ(a->rect(), (TRect{100 + d, 100 + d, 300 + d, 300 + d}));
    EXPECT_EQ(b->rect(), (TRect{500 + d, 100 + d, 700 + d, 300 + d}));
    EXPECT_EQ(history().count(), 1);
    history().undo();
    EXPECT_EQ(a->rect(), (TRect{100, 100, 300, 300}));
    EXPECT_EQ(b->rect(), (TRect{500, 100, 700, 300}));
}

TEST_F(SiteTest, AnObjectDraggedOffTheSiteKeepsItsCentreTenUnitsInside) {
    TTurnBox* box = addBox({1000, 1000, 1100, 1100});
    drag(px({1050, 1050}), px({1050, 1050}) + QPoint(300, 300));
    EXPECT_EQ(rectCenter(box->rect()), QPoint(1190, 1190));
}

TEST_F(SiteTest, AMoveOfLessThanOneUnitRecordsNothing) {
    setScale(400);
    TTurnBox* box = addBox({200, 200, 400, 300});
    QPoint from = px({300, 250});
    // A neighbouring pixel that maps onto the same logical point.
    while (logicalOf(from.x() + 1, 400) != logicalOf(from.x(), 400)) from.rx() += 1;
    drag(from, from + QPoint(1, 0));
    EXPECT_EQ(box->rect(), (TRect{200, 200, 400, 300}));
    EXPECT_EQ(history().count(), 0);
}

TEST_F(SiteTest, EscapeAndFocusLossCancelTheDrag) {
    TTurnBox* box = addBox({200, 200, 400, 300});
    const QPoint from = px({300, 250});
    press(from);
    moveTo(from + QPoint(40, 40));
    key(QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_TRUE(TGhostList::instance().isEmpty());
    EXPECT_FALSE(TGhostList::instance().isStarted());
    release(from + QPoint(40, 40));
    EXPECT_EQ(box->rect(), (TRect{200, 200, 400, 300}));

    press(from);
    moveTo(from + QPoint(40, 40));
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(site, &focusOut);
    EXPECT_FALSE(TGhostList::instance().isStarted());
    release(from + QPoint(40, 40));
    EXPECT_EQ(box->rect(), (TRect{200, 200, 400, 300}));
    EXPECT_EQ(history().count(), 0);

    // The site still works afterwards.
    drag(from, from + QPoint(10, 0));
    EXPECT_NE(box->rect(), (TRect{200, 200, 400, 300}));
    EXPECT_EQ(history().count(), 1);
}

TEST_F(SiteTest, AMoveDragRepaintsOnlyFromTheCachedLayer) {
    TTurnBox* box = addBox({200, 200, 400, 300});
    TTurnBox* other = addBox({600, 600, 700, 700});
    QApplication::processEvents();
    site->repaint();
    const int before = other->paints;
    ASSERT_GT(before, 0);
    const QPoint from = px({300, 250});
    press(from);
    for (int step = 1; step <= 5; ++step) {
        moveTo(from + QPoint(10 * step, 5 * step));
        site->repaint();
    }
    EXPECT_EQ(other->paints, before);  // the ghost moved over the cached objects
    release(from + QPoint(50, 25));
    site->repaint();
    EXPECT_GT(box->paints, 0);
    EXPECT_GT(other->paints, before);  // the moved object changed the layer
}

// Circle mode moves objects around the middle of the site.

TEST_F(SiteTest, CircleModeMovesRadiallyOrTurnsInStepsAroundTheCentre) {
    site->moveOptions.circle = true;
    const QPoint centre(600, 600);

    TTurnBox* box = addBox({850, 550, 950, 650});
    QPoint from = px({900, 600});
    drag(from, from + QPoint(40, 0));
    const int dr = logicalOf(from.x() + 40, 100) - logicalOf(from.x(), 100);
    EXPECT_EQ(rectCenter(box->rect()), QPoint(900 + dr, 600));
    EXPECT_EQ(box->angle(), 0);
    delete box;

    box = addBox({850, 550, 950, 650});
    const QPoint turned = turnPoint({900, 600}, centre, 33);  // snapped to the 30° step
    drag(from, px(turned));
    EXPECT_EQ(rectCenter(box->rect()), turnPoint({900, 600}, centre, 30));
    EXPECT_EQ(box->angle(), 30);
    EXPECT_EQ(history().count(), 2);
    delete box;

    // An object in the very middle has no direction to move away in.
    history().clear();
    box = addBox({550, 550, 650, 650});
    from = px(centre);
    drag(from, from + QPoint(40, 0));
    EXPECT_EQ(box->rect(), (TRect{550, 550, 650, 650}));
    EXPECT_EQ(history().count(), 0);
}

// Snapping.

TEST_F(SiteTest, MovesSnapToTheGridAndGuidesButNotWithAlt) {
    TGrid grid;
    grid.setEnabled(true);
    grid.setSize(50);
    TGuide guide;
    site->setGridGuide(&grid, &guide);
    site->snapFunction = site->gridGuideSnap();
    TTurnBox* box = addBox({203, 207, 303, 307});
    const QPoint from = px({250, 250});
    drag(from, from + QPoint(40, 25));
    EXPECT_EQ(box->left() % 50, 0);
    EXPECT_EQ(box->top() % 50, 0);
    EXPECT_EQ(box->width(), 100);

    // A guide within ten pixels wins over the grid when it is nearer.
    grid.setEnabled(false);
    guide.setEnabled(true);
    guide.setGuide(0, {507, 0});
    const int wanted = 519 - box->rect().right;  // the right edge 12 units past the guide
    const QPoint at = px(rectCenter(box->rect()));
    drag(at, at + QPoint(int(std::lround(wanted * 96.0 / 254)), 0));
    EXPECT_EQ(box->rect().right, 507);

    const TRect before = box->rect();
    drag(px(rectCenter(before)), px(rectCenter(before)) + QPoint(-5, 0), Qt::AltModifier);
    EXPECT_EQ(box->rect().right, 507 + logicalOf(px(rectCenter(before)).x() - 5, 100) - logicalOf(px(rectCenter(before)).x(), 100));
}

// Resizing and turning.

struct ResizeCase {
    const char* name;
    int handle;
    QPoint pixels;
    Qt::KeyboardModifiers modifiers;
    bool keepAspect;  // the object's own answer
    // The expected rectangle from the logical offset (dx, dy).
    TRect (*expected)(int dx, int dy);
};

class ResizeTest : public SiteTest, public ::testing::WithParamInterface<ResizeCase> {};

TEST_P(ResizeTest, FollowsTheHandle) {
    const ResizeCase& c = GetParam();
    TTurnBox* box = addBox({200, 200, 400, 300});
    box->setKeepAspect(c.keepAspect);
    box->setSelected(true);
    site->refreshHandles();
    const TPivot* pivot = nullptr;
    for (const TPivot& p : site->pivots())
        if (p.index == c.handle) pivot = &p;
    ASSERT_NE(pivot, nullptr);
    const QPoint from = px(pivot->position);
    const QPoint to = from + c.pixels;
    drag(from, to, c.modifiers);
    const int dx = logicalOf(to.x(), 100) - logicalOf(from.x(), 100);
    const int dy = logicalOf(to.y(), 100) - logicalOf(from.y(), 100);
    EXPECT_EQ(box->rect(), c.expected(dx, dy));
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoCaption(), QStringLiteral("サイズ変更"));
    history().undo();
    EXPECT_EQ(box->rect(), (TRect{200, 200, 400, 300}));
}

INSTANTIATE_TEST_SUITE_P(
    Handles, ResizeTest,
    ::testing::Values(
        ResizeCase{"CornerFree", 7, {40, 10}, {}, false, [](int dx, int dy) { return TRect{200, 200, 400 + dx, 300 + dy}; }},
        ResizeCase{"MiddleLeftOnlyMovesTheLeftEdge", 1, {-30, 25}, {}, false, [](int dx, int) { return TRect{200 + dx, 200, 400, 300}; }},
        // The width limits: the height follows at the starting 2:1.
        ResizeCase{"ShiftKeepsTheAspect", 7, {40, 40}, Qt::ShiftModifier, false,
                   [](int dx, int) { return TRect{200, 200, 400 + dx, 200 + (200 + dx) / 2}; }},
        ResizeCase{"ShiftReleasesAnObjectThatKeepsItsAspect", 7, {40, 10}, Qt::ShiftModifier, true,
                   [](int dx, int dy) { return TRect{200, 200, 400 + dx, 300 + dy}; }},
        ResizeCase{"NoNarrowerThanTwentyUnits", 7, {-150, 0}, {}, false, [](int, int) { return TRect{200, 200, 220, 300}; }},
        ResizeCase{"CtrlAllowsDownToOneUnit", 7, {-150, 0}, Qt::ControlModifier, false, [](int, int) { return TRect{200, 200, 201, 300}; }},
        ResizeCase{"TopLeftHeldAtTheMinimumFromTheFixedCorner", 0, {150, 150}, {}, false, [](int, int) { return TRect{380, 280, 400, 300}; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SiteTest, ResizingATurnedObjectKeepsTheOppositeCornerWhereItWasOnThePage) {
    TTurnBox* box = addBox({200, 200, 400, 300}, 90);
    const auto pageCorner = [&](int index) {
        const TRect r = box->rect();
        const QPoint corner = index == 0 ? QPoint(r.left, r.top) : QPoint(r.right, r.bottom);
        return turnPoint(corner, rectCenter(r), box->angle());
    };
    const QPoint fixedBefore = pageCorner(0);
    box->setSelected(true);
    site->refreshHandles();
    const TPivot* pivot = nullptr;
    for (const TPivot& p : site->pivots())
        if (p.index == 7) pivot = &p;
    ASSERT_NE(pivot, nullptr);
    EXPECT_EQ(pivot->position, pageCorner(7));
    // Turned a quarter clockwise, the object's x axis runs down the page and its y axis to
    // the left.
    const QPoint from = px(pivot->position);
    drag(from, from + QPoint(-15, 30));
    EXPECT_EQ(box->angle(), 90);
    EXPECT_GT(box->width(), 200);
    EXPECT_GT(box->height(), 100);
    const QPoint fixedAfter = pageCorner(0);
    EXPECT_LE(std::abs(fixedAfter.x() - fixedBefore.x()), 1);
    EXPECT_LE(std::abs(fixedAfter.y() - fixedBefore.y()), 1);
}

TEST_F(SiteTest, TurningSnapsToMultiplesOf45WithShift) {
    setScale(400);
    struct Case {
        int turn;
        Qt::KeyboardModifiers modifiers;
        int expected;
    };
    for (const Case c : {Case{30, Qt::ShiftModifier, 45}, Case{10, Qt::ShiftModifier, 0}, Case{-70, Qt::ShiftModifier, 315}, Case{30, {}, 40}}) {
        SCOPED_TRACE(c.turn);
        history().clear();
        TTurnBox* box = addBox({200, 200, 400, 300}, 10);
        box->setSelected(true);
        site->refreshHandles();
        const TPivot* rotate = nullptr;
        for (const TPivot& p : site->pivots())
            if (p.owner == box && p.index == handle::rotate) rotate = &p;
        ASSERT_NE(rotate, nullptr);
        EXPECT_EQ(rotate->kind, PivotKind::Rotate);
        const QPoint centre = rectCenter(box->rect());
        const QPoint to = turnPoint(rotate->position, centre, c.turn);
        drag(px(rotate->position), px(to), c.modifiers);
        EXPECT_NEAR(box->angle(), c.expected, c.modifiers ? 0 : 1);
        EXPECT_EQ(history().undoCaption(), QStringLiteral("回転"));
        delete box;
    }
}

// Creating.

TEST_F(SiteTest, ADrawnObjectIsAddedAsOneStepAndACancelledOneLeavesNothing) {
    ASSERT_TRUE(TDODesignerList::instance().createObject(*site, QStringLiteral("TLOField")));
    ASSERT_EQ(site->drawObjects().size(), 1u);
    auto* made = dynamic_cast<TTurnBox*>(site->drawObjects().front());
    ASSERT_NE(made, nullptr);
    EXPECT_FALSE(made->isVisible());

    const QPoint from = px({100, 100});
    const QPoint to = from + QPoint(80, 50);
    drag(from, to);
    // The new object starts one unit large at the press and grows by the drag.
    const QPoint start = site->pixelToLog(from);
    const QPoint end = site->pixelToLog(to);
    EXPECT_EQ(made->rect(), (TRect{start.x(), start.y(), end.x() + 1, end.y() + 1}));
    EXPECT_EQ(start, QPoint(logicalOf(from.x(), 100), logicalOf(from.y(), 100)));
    EXPECT_TRUE(made->isVisible());
    EXPECT_TRUE(made->isSelected());
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoCaption(), QStringLiteral("追加"));

    site->setModified(false);
    ASSERT_TRUE(TDODesignerList::instance().createObject(*site, QStringLiteral("TLOField")));
    EXPECT_EQ(site->drawObjects().size(), 2u);
    press(from);
    moveTo(to);
    key(QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_EQ(site->drawObjects().size(), 1u);
    EXPECT_FALSE(site->isModified());
    EXPECT_EQ(history().count(), 1);
}

// A finish that fails.

class FailingGhost : public TSelectGhost {
public:
    void finish(Qt::KeyboardModifiers) override { throw std::runtime_error("broken ghost"); }
};

TEST_F(SiteTest, AFailingFinishStillClearsTheDragAndClosesTheGroup) {
    TGhostList& ghosts = TGhostList::instance();
    bool cleared = false;
    ghosts.addGhost(std::make_unique<FailingGhost>());
    ghosts.onClear = [&] { cleared = true; };
    ghosts.start(*site, site->logicalArea(), {10, 10}, {});
    ghosts.track({}, {50, 50});
    EXPECT_THROW(ghosts.finish(), std::runtime_error);
    EXPECT_TRUE(ghosts.isEmpty());
    EXPECT_FALSE(ghosts.isStarted());
    EXPECT_TRUE(cleared);
    EXPECT_THROW(history().endGroup(), EActionGroupError);  // nothing left open

    TTurnBox* box = addBox({200, 200, 400, 300});
    drag(px({300, 250}), px({300, 250}) + QPoint(20, 0));
    EXPECT_NE(box->left(), 200);
}

}  // namespace
}  // namespace poremi
