#include "document/model/document_model_classes.h"
#include "document/model/group_object.h"
#include "document/model/object_actions.h"
#include "document/model/print_target.h"
#include "document/stream/component_stream.h"
#include "test_objects.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::TTestBox;
using testing::TTestFrame;

class GroupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testing::registerTestObjects();
        registerDocumentModelClasses();
    }

    // Red, green and blue boxes overlapping at (20..30, 20..30), blue on top.
    static std::unique_ptr<TDOGroup> threeOverlappingBoxes() {
        std::vector<std::unique_ptr<TTestBox>> boxes;
        const std::pair<TRect, int> colouredRects[] = {
            {{0, 0, 30, 30}, 0x0000FF}, {{10, 10, 40, 40}, 0x00FF00}, {{20, 20, 50, 50}, 0xFF0000}};
        std::vector<TDrawObject*> list;
        for (const auto& [rect, color] : colouredRects) {
            auto& box = boxes.emplace_back(std::make_unique<TTestBox>());
            box->setRect(rect);
            box->setColor(color);
            list.push_back(box.get());
        }
        auto group = std::make_unique<TDOGroup>();
        group->takeMembers(list);
        return group;
    }

    static QRgb pixelAt(TDrawObject& object, QPoint point) {
        QImage image(60, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        object.paintTo(painter);
        painter.end();
        return image.pixel(point);
    }
};

TEST_F(GroupTest, TopmostMemberStaysOnTopThroughCloneAndStream) {
    const std::unique_ptr<TDOGroup> group = threeOverlappingBoxes();
    const QPoint overlap(25, 25);
    ASSERT_EQ(pixelAt(*group, overlap), qRgb(0, 0, 255));
    EXPECT_EQ(pixelAt(*group, {15, 15}), qRgb(0, 255, 0));

    const std::unique_ptr<TDrawObject> clone = TDrawObject::clone(*group);
    EXPECT_EQ(pixelAt(*clone, overlap), qRgb(0, 0, 255));
    EXPECT_EQ(pixelAt(*clone, {15, 15}), qRgb(0, 255, 0));

    QBuffer buffer;
    buffer.setData(componentStreamBytes(*clone));
    buffer.open(QIODevice::ReadOnly);
    const std::unique_ptr<TComponent> read = ReadComponent(buffer);
    auto* reread = dynamic_cast<TDOGroup*>(read.get());
    ASSERT_NE(reread, nullptr);
    ASSERT_EQ(reread->members().size(), 3u);
    EXPECT_EQ(pixelAt(*reread, overlap), qRgb(0, 0, 255));
    EXPECT_EQ(pixelAt(*reread, {15, 15}), qRgb(0, 255, 0));
}

TEST_F(GroupTest, UngroupingPutsTheMembersOnTheSiteInTheirOrder) {
    DrawSite site;
    TDOGroup* group = threeOverlappingBoxes().release();
    site.insertComponent(group);
    site.addDrawObject(*group);
    TActionList history;
    history.beginGroup("グループ解除");
    const std::vector<TDrawObject*> placed = group->ungroup(history);
    history.endGroup();
    ASSERT_EQ(placed.size(), 3u);
    delete group;  // the caller's step
    EXPECT_EQ(site.drawObjects(), placed);
    EXPECT_EQ(site.selection(), placed);
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (TDrawObject* object : site.drawObjects()) object->paintTo(painter);
    painter.end();
    EXPECT_EQ(image.pixel(25, 25), qRgb(0, 0, 255)) << "the topmost member stays on top";

    history.undo();  // the three additions, as one step
    EXPECT_TRUE(site.drawObjects().empty());
    history.redo();
    EXPECT_EQ(site.drawObjects(), placed);

    TDOGroup alone;
    EXPECT_TRUE(alone.ungroup(history).empty());
}

TEST_F(GroupTest, BoundsAndHitsFollowTheMembers) {
    const std::unique_ptr<TDOGroup> group = threeOverlappingBoxes();
    EXPECT_EQ(group->getBounds(), (TRect{0, 0, 50, 50}));
    EXPECT_TRUE(group->hitTest({5, 5}));
    EXPECT_TRUE(group->hitTest({45, 45}));
    EXPECT_FALSE(group->hitTest({45, 5}));

    TDOGroup empty;
    EXPECT_EQ(empty.getBounds(), TRect{});
    EXPECT_TRUE(empty.getBounds().isEmpty());
    EXPECT_FALSE(empty.hitTest({0, 0}));
    new TComponent(&empty);  // owned, but not a draw object: no member
    EXPECT_TRUE(empty.members().empty());
    EXPECT_EQ(empty.getBounds(), TRect{});
}

TEST_F(GroupTest, ScalingMapsEveryMemberIntoTheNewRectangle) {
    const std::unique_ptr<TDOGroup> group = threeOverlappingBoxes();
    group->scaleMembers({0, 0, 50, 50}, {100, 200, 200, 225});
    const std::vector<TDrawObject*> members = group->members();
    EXPECT_EQ(members[0]->getBounds(), (TRect{100, 200, 160, 215}));
    EXPECT_EQ(members[1]->getBounds(), (TRect{120, 205, 180, 220}));
    EXPECT_EQ(members[2]->getBounds(), (TRect{140, 210, 200, 225}));
    EXPECT_EQ(group->getBounds(), (TRect{100, 200, 200, 225}));
}

TEST_F(GroupTest, AGroupOfOneVerticalLineScales) {
    TTestFrame line;
    line.setRect({10, 10, 10, 50});
    TDOGroup group;
    group.takeMembers({&line});
    group.setExtent(20, 80);  // no width to divide by: that axis is only moved
    EXPECT_EQ(group.getBounds(), (TRect{10, 10, 10, 90}));
    group.scaleMembers({10, 10, 10, 90}, {30, 0, 60, 40});
    EXPECT_EQ(group.getBounds(), (TRect{30, 0, 30, 40}));
}

TEST_F(GroupTest, EditsOfTheWholeGroupAreOneChange) {
    const std::unique_ptr<TDOGroup> group = threeOverlappingBoxes();
    int changes = 0;
    TListener counter([&](MessageSender, const Guid& m) { changes += m == msgChanged; });
    counter.listenTo(group->changeNotify());

    group->moveBy(5, -5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(group->getBounds(), (TRect{5, -5, 55, 45}));
    group->setLeft(0);
    group->setTop(0);
    EXPECT_EQ(group->getBounds(), (TRect{0, 0, 50, 50}));
    group->setWidth(100);
    EXPECT_EQ(group->getBounds(), (TRect{0, 0, 100, 50}));
    EXPECT_EQ(changes, 4);
    group->setWidth(100);  // unchanged: no change
    EXPECT_EQ(changes, 4);
}

TEST_F(GroupTest, AssignReplacesTheMembersWithClonesInOrder) {
    const std::unique_ptr<TDOGroup> source = threeOverlappingBoxes();
    TDOGroup target;
    TTestFrame old;
    target.takeMembers({&old});
    int changes = 0;
    TListener counter([&](MessageSender, const Guid& m) { changes += m == msgChanged; });
    counter.listenTo(target.changeNotify());

    target.assign(*source);
    EXPECT_EQ(changes, 1);
    const std::vector<TDrawObject*> members = target.members();
    ASSERT_EQ(members.size(), 3u);
    for (std::size_t i = 0; i < members.size(); ++i) {
        EXPECT_NE(members[i], source->members()[i]);
        EXPECT_EQ(members[i]->getBounds(), source->members()[i]->getBounds()) << i;
        EXPECT_EQ(members[i]->owner(), &target);
    }
    target.assign(target);  // assigning itself keeps the members
    EXPECT_EQ(target.members(), members);
}

TEST_F(GroupTest, MembersLeftOutOfPrintAreLeftOutOfThePrintedGroup) {
    const std::unique_ptr<TDOGroup> group = threeOverlappingBoxes();
    static_cast<TLabelObject*>(group->members()[2])->setDontPrint(true);
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    {
        PrintRendering print;
        group->paintTo(painter);
    }
    painter.end();
    EXPECT_EQ(image.pixel(25, 25), qRgb(0, 255, 0));
}

}  // namespace
}  // namespace poremi
