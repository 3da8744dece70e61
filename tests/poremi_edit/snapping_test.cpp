#include "document/model/grid_guide.h"
#include "edit/grid_guide_view.h"
#include "edit/snapping.h"
#include "site_test_objects.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace poremi {
namespace {

struct GridCase {
    int size;
    int v;
    std::optional<int> offset;
};

class GridSnap : public ::testing::TestWithParam<GridCase> {};

TEST_P(GridSnap, PullsToTheNearestMultipleOnBothSidesOfTheOrigin) {
    const GridCase& c = GetParam();
    TGrid grid;
    grid.setEnabled(true);
    grid.setSize(c.size);
    const SnapOffset offset = gridSnapOffset(grid, {c.v, c.v});
    EXPECT_EQ(offset.dx, c.offset);
    EXPECT_EQ(offset.dy, c.offset);
}

INSTANTIATE_TEST_SUITE_P(Cases, GridSnap,
                         ::testing::Values(GridCase{50, 60, -10}, GridCase{50, -60, 10}, GridCase{50, 24, -24}, GridCase{50, 25, 25},
                                           GridCase{50, -25, 25}, GridCase{50, -26, -24}, GridCase{50, -100, 0}, GridCase{7, -11, -3},
                                           GridCase{0, 30, std::nullopt}, GridCase{-50, 30, std::nullopt}));

TEST(GridSnapping, NothingWhileSnappingIsOff) {
    TGrid grid;
    grid.setSize(50);
    EXPECT_EQ(gridSnapOffset(grid, {60, 60}), SnapOffset{});
}

TEST(GuideSnapping, TheNearestGuideWithinTheToleranceOnEachAxis) {
    TGuide guide;
    guide.setGuide(0, {100, 0});
    guide.setGuide(1, {108, 0});
    guide.setGuide(2, {0, 300});
    guide.setGuide(3, {0, 0});  // empty
    EXPECT_EQ(guideSnapOffset(guide, {105, 305}, 10), SnapOffset{});  // disabled
    guide.setEnabled(true);
    EXPECT_EQ(guideSnapOffset(guide, {105, 305}, 10), (SnapOffset{3, -5}));
    EXPECT_EQ(guideSnapOffset(guide, {115, 292}, 10), (SnapOffset{-7, 8}));
    EXPECT_EQ(guideSnapOffset(guide, {130, 0}, 10), SnapOffset{});
}

TEST(Snapping, SeveralPointsTakeTheSmallestOffsetPerAxis) {
    const SnapFunction snap = [](QPoint p) { return SnapOffset{-p.x() % 10, p.y() > 100 ? std::optional<int>(2) : std::nullopt}; };
    const std::array points{QPoint(17, 50), QPoint(21, 150), QPoint(38, 40)};
    EXPECT_EQ(snapOffset(snap, points), (SnapOffset{-1, 2}));
    EXPECT_EQ(snapOffset({}, points), SnapOffset{});
    EXPECT_EQ(closerOffset({5, std::nullopt}, {-3, 4}), (SnapOffset{-3, 4}));
}

TEST(Guides, HitTestingAndRemovingThoseOutsideTheArea) {
    TGuide guide;
    guide.setGuide(2, {400, 0});
    guide.setGuide(5, {0, 250});
    EXPECT_EQ(guideAt(guide, {402, 0}, 2), -1);  // disabled
    guide.setEnabled(true);
    EXPECT_EQ(guideAt(guide, {402, 0}, 2), 2);
    EXPECT_EQ(guideAt(guide, {0, 247}, 2), -1);
    EXPECT_EQ(guideAt(guide, {0, 248}, 2), 5);

    removeGuidesOutside(guide, {0, 0, 300, 300});
    EXPECT_EQ(guide.guide(2), QPoint());
    EXPECT_EQ(guide.guide(5), QPoint(0, 250));
    EXPECT_TRUE(guide.enabled());
    removeGuidesOutside(guide, {0, 0, 300, 250});  // on the edge is outside
    EXPECT_EQ(guide.guide(5), QPoint());
    EXPECT_FALSE(guide.enabled());
}

TEST(GridPainting, DotsAtTheMultiplesAndNothingForAHostileSize) {
    QImage image(100, 100, QImage::Format_RGB32);
    for (const int size : {10, 0, -10, 1}) {
        SCOPED_TRACE(size);
        image.fill(Qt::white);
        TGrid grid;
        grid.setVisible(true);
        grid.setSize(size);
        QPainter painter(&image);
        paintGrid(painter, grid, {0, 0, 100, 100});
        painter.end();
        const bool dots = size == 10;
        EXPECT_EQ(image.pixel(10, 20) == qRgb(0, 0, 255), dots);
        EXPECT_EQ(image.pixel(15, 20), qRgb(255, 255, 255));
    }
}

}  // namespace
}  // namespace poremi
