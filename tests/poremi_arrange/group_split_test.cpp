// Grouping, ungrouping and splitting texts: each one undo step that undo takes back whole,
// and a failure that leaves the history balanced.

#include "arrange_fixture.h"

#include "base/error.h"
#include "document/model/group_object.h"
#include "edit/arrange/arrange_group.h"
#include "edit/arrange/arrange_split_text.h"
#include "objects/text_object.h"

namespace poremi {
namespace {

using testing::ArrangeTest;
using testing::TArrangeBox;

class ArrangeGroup : public ArrangeTest {};

TEST_F(ArrangeGroup, groupingReplacesTheSelectionByOneSelectedGroup) {
    TArrangeBox* back = addBox({0, 0, 100, 100});
    TArrangeBox* aside = addBox({500, 500, 550, 550}, false);
    TArrangeBox* front = addBox({200, 50, 300, 150});
    ASSERT_TRUE(canGroup(*site));
    groupObjects(*site);

    ASSERT_EQ(objects().size(), 2u);
    EXPECT_EQ(objects()[0], aside);
    auto* group = dynamic_cast<TDOGroup*>(objects()[1]);
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->isSelected());
    EXPECT_EQ(group->cursor(), Qt::PointingHandCursor);
    EXPECT_EQ(group->getBounds(), (TRect{0, 0, 300, 150}));
    ASSERT_EQ(group->members().size(), 2u);
    EXPECT_EQ(group->members()[0]->getBounds(), back->getBounds()) << "members keep the stacking order";
    EXPECT_EQ(group->members()[1]->getBounds(), front->getBounds());
    ASSERT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoCaption(), QStringLiteral("グループ化"));

    history().undo();
    EXPECT_EQ(objects(), (std::vector<TDrawObject*>{back, aside, front}));
    history().redo();
    ASSERT_EQ(objects().size(), 2u);
    EXPECT_NE(dynamic_cast<TDOGroup*>(objects()[1]), nullptr);
}

TEST_F(ArrangeGroup, oneSelectedObjectIsNotGrouped) {
    TArrangeBox* only = addBox({0, 0, 100, 100});
    addBox({200, 0, 300, 100}, false);
    EXPECT_FALSE(canGroup(*site));
    groupObjects(*site);
    EXPECT_EQ(objects().size(), 2u);
    EXPECT_EQ(objects()[0], only);
    EXPECT_EQ(history().count(), 0);
}

TEST_F(ArrangeGroup, ungroupingPutsTheMembersBackSelected) {
    addBox({0, 0, 100, 100});
    addBox({200, 50, 300, 150});
    groupObjects(*site);
    history().clear();
    TDrawObject* group = objects().front();
    ASSERT_TRUE(canUngroup(*site));
    ungroupObjects(*site);

    ASSERT_EQ(objects().size(), 2u);
    EXPECT_EQ(allBounds(), (std::vector<TRect>{{0, 0, 100, 100}, {200, 50, 300, 150}}));
    for (TDrawObject* object : objects()) {
        EXPECT_NE(dynamic_cast<TArrangeBox*>(object), nullptr);
        EXPECT_TRUE(object->isSelected());
    }
    EXPECT_FALSE(canUngroup(*site));
    ASSERT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoCaption(), QStringLiteral("グループ化解除"));
    history().undo();
    EXPECT_EQ(objects(), std::vector<TDrawObject*>{group});
}

TEST_F(ArrangeGroup, failuresCloseTheHistoryGroup) {
    addBox({0, 0, 100, 100});
    addBox({200, 50, 300, 150});
    TArrangeBox::failing = true;
    EXPECT_THROW(groupObjects(*site), Exception);
    expectBalancedHistory();

    TArrangeBox::failing = false;
    groupObjects(*site);
    TArrangeBox::failing = true;
    EXPECT_THROW(ungroupObjects(*site), Exception);
    expectBalancedHistory();
}

class ArrangeSplitText : public ArrangeTest {
protected:
    TLOText* addText(const QStringList& lines, const TRect& r) {
        auto* text = new TLOText(site.data());
        text->setText(lines);
        text->setRect(r);
        site->addDrawObject(*text);
        text->setSelected(true);
        return text;
    }
};

TEST_F(ArrangeSplitText, eachLineBecomesATextStackedInTheMiddle) {
    TLOText* source = addText({QStringLiteral("一行目"), QStringLiteral("二行目"), QStringLiteral("三行目")},
                              {50, 40, 450, 400});
    TArrangeBox* aside = addBox({900, 500, 950, 550});
    std::vector<TDrawObject*> hooked;
    site->objectAdded = [&](TDrawObject& object) { hooked.push_back(&object); };
    site->moveOptions.circle = site->moveOptions.rotateWithMove = site->moveOptions.axisLock = true;
    ASSERT_TRUE(canSplitText(*site));
    splitText(*site);

    ASSERT_EQ(objects().size(), 5u);
    EXPECT_EQ(objects()[0], source) << "the source stays";
    EXPECT_FALSE(aside->isSelected());
    const TRect frame = centerRectAt(source->textRect(), {500, 300});
    const int row = rectHeight(frame) / 3;
    ASSERT_GT(row, 0);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        auto* piece = dynamic_cast<TLOText*>(objects()[std::size_t(k + 2)]);
        ASSERT_NE(piece, nullptr);
        EXPECT_EQ(piece->text(), QStringList{source->text()[k]});
        EXPECT_EQ(piece->rect(), (TRect{frame.left, frame.top + k * row, frame.right, frame.top + (k + 1) * row}));
        EXPECT_TRUE(piece->isSelected());
        EXPECT_EQ(piece->cursor(), Qt::PointingHandCursor);
        EXPECT_EQ(hooked[std::size_t(k)], piece);
    }
    EXPECT_FALSE(site->moveOptions.circle);
    EXPECT_FALSE(site->moveOptions.rotateWithMove);
    EXPECT_FALSE(site->moveOptions.axisLock);
    ASSERT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoCaption(), QStringLiteral("文字列の分割"));
    history().undo();
    EXPECT_EQ(objects(), (std::vector<TDrawObject*>{source, aside}));
}

TEST_F(ArrangeSplitText, oneLineIsNotSplit) {
    addText({QStringLiteral("一行だけ")}, {50, 40, 450, 200});
    site->moveOptions.circle = true;
    EXPECT_FALSE(canSplitText(*site));
    splitText(*site);
    EXPECT_EQ(objects().size(), 1u);
    EXPECT_TRUE(site->moveOptions.circle);
    EXPECT_EQ(history().count(), 0);
}

TEST_F(ArrangeSplitText, aFailingHookClosesTheHistoryGroup) {
    addText({QStringLiteral("上"), QStringLiteral("下")}, {50, 40, 450, 400});
    site->objectAdded = [](TDrawObject&) { throw Exception(QStringLiteral("書式を付けられません")); };
    EXPECT_THROW(splitText(*site), Exception);
    expectBalancedHistory();
}

}  // namespace
}  // namespace poremi
