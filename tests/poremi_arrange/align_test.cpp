// The alignment command: edges, even spacing (also overlapping), one undo step, enabling.

#include "arrange_fixture.h"

#include "base/error.h"
#include "edit/arrange/arrange_align.h"

namespace poremi {
namespace {

using testing::ArrangeTest;
using testing::TArrangeBox;

TRect transposed(const TRect& r) { return {r.top, r.left, r.bottom, r.right}; }

class ArrangeAlign : public ArrangeTest {};

TEST_F(ArrangeAlign, eachModeMovesTheSelectedObjectsAsOneStep) {
    struct Case {
        AlignMode mode;
        std::vector<TRect> start;
        std::vector<TRect> expected;
    };
    const std::vector<TRect> three{{0, 0, 100, 50}, {300, 100, 400, 200}, {120, 300, 220, 320}};
    // Wider together than the room they span: a gap of −353, shared as MulDiv(k, −353, 2),
    // which rounds −176.5 away from zero.
    const std::vector<TRect> wide{{0, 0, 300, 50}, {100, 0, 400, 50}, {247, 0, 547, 50}};
    const std::vector<TRect> wideSpaced{{0, 0, 300, 50}, {123, 0, 423, 50}, {247, 0, 547, 50}};
    std::vector<TRect> wideDown, wideDownSpaced;
    for (const TRect& r : wide) wideDown.push_back(transposed(r));
    for (const TRect& r : wideSpaced) wideDownSpaced.push_back(transposed(r));
    const Case cases[] = {
        {AlignMode::Left, three, {{0, 0, 100, 50}, {0, 100, 100, 200}, {0, 300, 100, 320}}},
        {AlignMode::Right, three, {{300, 0, 400, 50}, {300, 100, 400, 200}, {300, 300, 400, 320}}},
        {AlignMode::Top, three, {{0, 0, 100, 50}, {300, 0, 400, 100}, {120, 0, 220, 20}}},
        {AlignMode::Bottom, three, {{0, 270, 100, 320}, {300, 220, 400, 320}, {120, 300, 220, 320}}},
        // In the order of their centres: the first stays left, the room between is shared.
        {AlignMode::SpaceHorizontally, three, {{0, 0, 100, 50}, {300, 100, 400, 200}, {150, 300, 250, 320}}},
        {AlignMode::SpaceHorizontally, wide, wideSpaced},
        {AlignMode::SpaceVertically, wideDown, wideDownSpaced},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        makeSite(1000, 1000);
        history().clear();
        for (const TRect& r : c.start) addBox(r);
        TArrangeBox* aside = addBox({900, 900, 950, 950}, false);
        alignObjects(*site, c.mode);
        std::vector<TRect> moved = allBounds();
        moved.pop_back();
        EXPECT_EQ(moved, c.expected);
        EXPECT_EQ(aside->getBounds(), (TRect{900, 900, 950, 950}));
        ASSERT_EQ(history().count(), 1);
        EXPECT_EQ(history().undoCaption(), QStringLiteral("位置合わせ"));
        history().undo();
        moved = allBounds();
        moved.pop_back();
        EXPECT_EQ(moved, c.start);
    }
}

TEST_F(ArrangeAlign, needsTwoSelectedObjects) {
    TArrangeBox* one = addBox({0, 0, 100, 100});
    TArrangeBox* two = addBox({300, 300, 350, 350}, false);
    EXPECT_FALSE(canAlign(*site));
    alignObjects(*site, AlignMode::Left);
    EXPECT_EQ(two->getBounds(), (TRect{300, 300, 350, 350}));
    EXPECT_EQ(history().count(), 0);
    two->setSelected(true);
    EXPECT_TRUE(canAlign(*site));
    one->setSelected(false);
    EXPECT_FALSE(canAlign(*site));
}

TEST_F(ArrangeAlign, aFailingObjectClosesTheHistoryGroup) {
    addBox({0, 0, 100, 100});
    addBox({300, 300, 350, 350});
    TArrangeBox::failing = true;
    EXPECT_THROW(alignObjects(*site, AlignMode::Right), Exception);
    TArrangeBox::failing = false;
    expectBalancedHistory();
}

}  // namespace
}  // namespace poremi
