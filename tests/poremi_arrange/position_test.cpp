// The position command on a rectangular and a round face, and turning towards the centre.

#include "arrange_fixture.h"

#include "base/error.h"
#include "edit/arrange/arrange_position.h"
#include "paper/face_info.h"

#include <cmath>

namespace poremi {
namespace {

using testing::ArrangeTest;
using testing::TArrangeBox;

TFaceInfo faceOf(TFaceShape shape, const TRect& rect) {
    TFaceInfo face;
    face.faceShape = shape;
    face.faceRect = rect;
    return face;
}

// Where the edge of a band [from, to) across a circle of radius r about centre reaches on
// both sides: the narrowest chord of the band.
std::pair<double, double> circleChord(int from, int to, double centre, double r) {
    const double d = std::max(std::abs(from - centre), std::abs(to - centre));
    const double half = std::sqrt(r * r - d * d);
    return {centre - half, centre + half};
}

class ArrangePosition : public ArrangeTest {};

TEST_F(ArrangePosition, rectangularFaceMovesToEachEdgeAndToTheMiddle) {
    struct Case {
        PositionMode mode;
        TRect expected;
    };
    // The face lies away from the sheet's origin; the site shows it from (0, 0).
    const TFaceInfo face = faceOf(fsRect, {300, 700, 1300, 1300});
    const TRect start{300, 200, 400, 260};
    const Case cases[] = {
        {PositionMode::ToLeftEdge, {0, 200, 100, 260}},
        {PositionMode::ToRightEdge, {900, 200, 1000, 260}},
        {PositionMode::ToTopEdge, {300, 0, 400, 60}},
        {PositionMode::ToBottomEdge, {300, 540, 400, 600}},
        {PositionMode::ToVerticalCentre, {300, 270, 400, 330}},
        {PositionMode::ToHorizontalCentre, {450, 200, 550, 260}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        history().clear();
        TArrangeBox* box = addBox(start);
        TArrangeBox* other = addBox({10, 10, 50, 50}, false);
        positionObjects(*site, face, c.mode);
        EXPECT_EQ(box->getBounds(), c.expected);
        EXPECT_EQ(other->getBounds(), (TRect{10, 10, 50, 50})) << "only selected objects move";
        ASSERT_EQ(history().count(), 1);
        EXPECT_EQ(history().undoCaption(), QStringLiteral("設定変更"));
        history().undo();
        EXPECT_EQ(box->getBounds(), start);
        delete box;
        delete other;
    }
}

TEST_F(ArrangePosition, roundFaceMovesToTheOutlineAtTheObjectsHeight) {
    makeSite(1200, 1200);
    const TFaceInfo face = faceOf(fsDoughnut, {150, 50, 1350, 1250});
    struct Case {
        PositionMode mode;
        TRect start;
    };
    const Case cases[] = {
        {PositionMode::ToLeftEdge, {500, 100, 540, 140}},
        {PositionMode::ToRightEdge, {500, 100, 540, 140}},
        {PositionMode::ToTopEdge, {1000, 500, 1040, 540}},
        {PositionMode::ToBottomEdge, {1000, 500, 1040, 540}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        TArrangeBox* box = addBox(c.start);
        positionObjects(*site, face, c.mode);
        const TRect moved = box->getBounds();
        const bool horizontal = c.mode == PositionMode::ToLeftEdge || c.mode == PositionMode::ToRightEdge;
        const auto [nearEdge, farEdge] = horizontal ? circleChord(c.start.top, c.start.bottom, 600, 600)
                                                    : circleChord(c.start.left, c.start.right, 600, 600);
        switch (c.mode) {
        case PositionMode::ToLeftEdge: EXPECT_NEAR(moved.left, nearEdge, 2); break;
        case PositionMode::ToRightEdge: EXPECT_NEAR(moved.right, farEdge, 2); break;
        case PositionMode::ToTopEdge: EXPECT_NEAR(moved.top, nearEdge, 2); break;
        default: EXPECT_NEAR(moved.bottom, farEdge, 2); break;
        }
        // Only along the one axis, the size kept.
        EXPECT_EQ(horizontal ? moved.top : moved.left, horizontal ? c.start.top : c.start.left);
        EXPECT_EQ(rectWidth(moved), 40);
        delete box;
    }
}

TEST_F(ArrangePosition, objectsBeyondTheRegionOrOnAnEmptyFaceStay) {
    makeSite(1200, 1200);
    const TFaceInfo round = faceOf(fsDoughnut, {0, 0, 1200, 1200});
    const TRect above{500, -300, 540, -100};
    const TRect below{500, 1300, 540, 1340};
    TArrangeBox* high = addBox(above);
    TArrangeBox* low = addBox(below);
    for (PositionMode mode : {PositionMode::ToLeftEdge, PositionMode::ToRightEdge}) positionObjects(*site, round, mode);
    EXPECT_EQ(high->getBounds(), above);
    EXPECT_EQ(low->getBounds(), below);
    EXPECT_EQ(history().count(), 0) << "nothing moved, nothing recorded";

    const TFaceInfo empty = faceOf(fsRect, {0, 0, 0, 0});
    TArrangeBox* inside = addBox({300, 300, 340, 340});
    positionObjects(*site, empty, PositionMode::ToTopEdge);
    EXPECT_EQ(inside->getBounds(), (TRect{300, 300, 340, 340}));
}

TEST_F(ArrangePosition, turningFollowsTheDirectionFromTheCentre) {
    struct Case {
        QPoint offset;  // of the box's centre from the site's centre (500, 300)
        int direction;
    };
    const Case cases[] = {
        {{100, 100}, 45}, {{-100, 0}, 180}, {{0, -100}, -90}, {{100, 50}, 27}, {{-100, 100}, 135}, {{0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        const QPoint centre = QPoint(500, 300) + c.offset;
        TArrangeBox* box = addBox({centre.x() - 20, centre.y() - 10, centre.x() + 20, centre.y() + 10});
        EXPECT_EQ(directionFromCentre(box->getBounds(), {500, 300}), c.direction);
        positionObjects(*site, TFaceInfo(), PositionMode::PerpendicularToCentre);
        EXPECT_EQ(box->angle(), c.direction + 90);
        positionObjects(*site, TFaceInfo(), PositionMode::ParallelToCentre);
        EXPECT_EQ(box->angle(), c.direction);
        delete box;
    }
}

TEST_F(ArrangePosition, aFailingObjectClosesTheHistoryGroup) {
    addBox({100, 100, 200, 200});
    TArrangeBox::failing = true;
    EXPECT_THROW(positionObjects(*site, faceOf(fsRect, {0, 0, 1000, 600}), PositionMode::ToLeftEdge), Exception);
    EXPECT_THROW(positionObjects(*site, TFaceInfo(), PositionMode::ParallelToCentre), Exception);
    TArrangeBox::failing = false;
    expectBalancedHistory();
}

}  // namespace
}  // namespace poremi
