#include "document/model/action_history.h"
#include "document/model/grid_guide.h"
#include "edit/ghost.h"
#include "edit/pivot.h"
#include "objects/shape_line.h"
#include "site_test_objects.h"

namespace poremi {
namespace {

using testing::logicalOf;
using testing::SiteTest;

TActionList& history() { return TActionList::instance(); }

class LineSite : public SiteTest {
protected:
    TLOLine* addLine(QPoint start, QPoint end) {
        auto* line = new TLOLine(site);
        line->setStartPoint(start);
        line->setEndPoint(end);
        site->addDrawObject(*line);
        site->setModified(false);
        return line;
    }
    void select(TDrawObject& object) {
        object.setSelected(true);
        site->refreshHandles();
    }
    // The logical offset between two pixels of the site at a scale.
    static QPoint logicalOffset(QPoint from, QPoint to, int scale) {
        return {logicalOf(to.x(), scale) - logicalOf(from.x(), scale), logicalOf(to.y(), scale) - logicalOf(from.y(), scale)};
    }
};

TEST_F(LineSite, ASelectedLineShowsOneHandleOnEachEnd) {
    TLOLine* line = addLine({200, 300}, {700, 500});
    select(*line);
    ASSERT_EQ(site->pivots().size(), 2u);
    EXPECT_EQ(site->pivots()[0].index, handle::lineStart);
    EXPECT_EQ(site->pivots()[0].position, QPoint(200, 300));
    EXPECT_EQ(site->pivots()[1].index, handle::lineEnd);
    EXPECT_EQ(site->pivots()[1].position, QPoint(700, 500));
    EXPECT_EQ(site->pivotAt(px({700, 500}))->index, handle::lineEnd);
}

struct EndDrag {
    int scale;
    int handle;
    QPoint pixels;
};

class LineEndDrag : public LineSite, public ::testing::WithParamInterface<EndDrag> {};

TEST_P(LineEndDrag, MovesOnlyTheDraggedEndByTheExactOffsetAsOneUndoStep) {
    const EndDrag c = GetParam();
    setScale(c.scale);
    const QPoint start{200, 300};
    const QPoint end{700, 500};
    TLOLine* line = addLine(start, end);
    select(*line);
    const QPoint from = px(c.handle == handle::lineStart ? start : end);
    const QPoint to = from + c.pixels;
    drag(from, to);

    const QPoint d = logicalOffset(from, to, c.scale);
    ASSERT_NE(d, QPoint());
    EXPECT_EQ(line->startPoint(), c.handle == handle::lineStart ? start + d : start);
    EXPECT_EQ(line->endPoint(), c.handle == handle::lineEnd ? end + d : end);
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoCaption(), QStringLiteral("移動・サイズ変更"));
    history().undo();
    EXPECT_EQ(line->startPoint(), start);
    EXPECT_EQ(line->endPoint(), end);
    EXPECT_TRUE(TGhostList::instance().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Zooms, LineEndDrag,
                         ::testing::Values(EndDrag{25, handle::lineEnd, {13, -7}}, EndDrag{100, handle::lineStart, {-37, 22}},
                                           EndDrag{100, handle::lineEnd, {41, 0}}, EndDrag{400, handle::lineStart, {90, 61}},
                                           EndDrag{400, handle::lineEnd, {-3, -250}}));

TEST_F(LineSite, TheDraggedEndSnapsToTheGridButNotWithAlt) {
    TGrid grid;
    grid.setEnabled(true);
    grid.setSize(50);
    TGuide guide;
    site->setGridGuide(&grid, &guide);
    site->snapFunction = site->gridGuideSnap();
    TLOLine* line = addLine({203, 307}, {707, 511});
    select(*line);
    const QPoint from = px({707, 511});
    drag(from, from + QPoint(15, 9));
    EXPECT_EQ(line->startPoint(), QPoint(203, 307));
    EXPECT_EQ(line->endPoint().x() % 50, 0);
    EXPECT_EQ(line->endPoint().y() % 50, 0);

    const QPoint before = line->endPoint();
    drag(px(before), px(before) + QPoint(5, 3), Qt::AltModifier);
    EXPECT_EQ(line->endPoint(), before + logicalOffset(px(before), px(before) + QPoint(5, 3), 100));
}

TEST_F(LineSite, EscapeCancelsAnEndDrag) {
    TLOLine* line = addLine({200, 300}, {700, 500});
    select(*line);
    press(px({700, 500}));
    moveTo(px({700, 500}) + QPoint(40, 40));
    key(QEvent::KeyPress, Qt::Key_Escape);
    release(px({700, 500}) + QPoint(40, 40));
    EXPECT_EQ(line->endPoint(), QPoint(700, 500));
    EXPECT_EQ(history().count(), 0);
    EXPECT_TRUE(TGhostList::instance().isEmpty());
}

TEST_F(LineSite, ADrawnLineRunsFromThePressToTheReleaseAndACancelledOneLeavesNothing) {
    auto* line = new TLOLine(site);
    site->addDrawObject(*line);
    line->setVisible(false);
    line->beginDrag(handle::create);
    const QPoint from = px({150, 250});
    const QPoint to = from + QPoint(120, -30);
    drag(from, to);
    EXPECT_EQ(line->startPoint(), QPoint(logicalOf(from.x(), 100), logicalOf(from.y(), 100)));
    EXPECT_EQ(line->endPoint(), QPoint(logicalOf(to.x(), 100), logicalOf(to.y(), 100)));
    EXPECT_TRUE(line->isVisible());
    EXPECT_TRUE(line->isSelected());
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoCaption(), QStringLiteral("追加"));

    site->setModified(false);
    auto* cancelled = new TLOLine(site);
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

}  // namespace
}  // namespace poremi
