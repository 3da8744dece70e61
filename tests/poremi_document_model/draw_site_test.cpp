#include "test_objects.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::TTestFrame;

// A site showing objects of the given layer groups, added in this order.
struct LayeredSite {
    DrawSite site;
    std::vector<TTestFrame*> objects;

    explicit LayeredSite(std::initializer_list<int> layers) {
        for (int layer : layers) {
            auto* object = new TTestFrame(&site);
            object->setLayerGroup(layer);
            objects.push_back(object);
            site.addDrawObject(*object);
        }
        site.setModified(false);
    }
    // The order on the site as indexes into objects.
    std::vector<int> order() const {
        std::vector<int> indexes;
        for (const TDrawObject* shown : site.drawObjects())
            indexes.push_back(static_cast<int>(std::ranges::find(objects, shown) - objects.begin()));
        return indexes;
    }
};

TEST(DrawSite, AddedObjectsJoinTheFrontOfTheirLayer) {
    const LayeredSite s({0, -100, 0, -50, -100});
    EXPECT_EQ(s.order(), (std::vector<int>{1, 4, 3, 0, 2}));
}

TEST(DrawSite, BringingToFrontWithinTheLayer) {
    LayeredSite s({-100, 0, 0, 0});
    int changes = 0;
    TListener counter([&](MessageSender, const Guid& m) { changes += m == msgChanged; });
    for (TTestFrame* object : s.objects) counter.listenTo(object->changeNotify());

    s.objects[3]->bringToFrontInLayer();  // already the last of its layer
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(s.site.isModified());
    EXPECT_EQ(s.order(), (std::vector<int>{0, 1, 2, 3}));

    s.objects[1]->bringToFrontInLayer();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(s.site.isModified());
    EXPECT_EQ(s.order(), (std::vector<int>{0, 2, 3, 1}));

    s.objects[0]->bringToFrontInLayer();  // the only one of its layer stays below the others
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(s.order(), (std::vector<int>{0, 2, 3, 1}));
}

TEST(DrawSite, SendingToBackWithinTheLayer) {
    LayeredSite s({-100, -50, 0, 0, 0});
    int changes = 0;
    TListener counter([&](MessageSender, const Guid& m) { changes += m == msgChanged; });
    for (TTestFrame* object : s.objects) counter.listenTo(object->changeNotify());

    s.objects[2]->sendToBackInLayer();  // already the first of its layer
    EXPECT_EQ(changes, 0);
    s.objects[4]->sendToBackInLayer();
    EXPECT_EQ(s.order(), (std::vector<int>{0, 1, 4, 2, 3}));
    s.objects[0]->sendToBackInLayer();
    EXPECT_EQ(s.order(), (std::vector<int>{0, 1, 4, 2, 3}));
    EXPECT_EQ(changes, 1);
}

TEST(DrawSite, ObjectsWithoutASiteDoNotMove) {
    TTestFrame frame;
    int changes = 0;
    TListener counter([&](MessageSender, const Guid&) { ++changes; });
    counter.listenTo(frame.changeNotify());
    frame.bringToFrontInLayer();
    frame.sendToBackInLayer();
    EXPECT_EQ(changes, 0);
}

TEST(DrawSite, SelectionAndDeselection) {
    LayeredSite s({0, 0, 0});
    s.objects[0]->setSelected(true);
    s.objects[2]->setSelected(true);
    EXPECT_EQ(s.site.selection(), (std::vector<TDrawObject*>{s.objects[0], s.objects[2]}));
    s.site.deselectAll();
    EXPECT_TRUE(s.site.selection().empty());
}

TEST(DrawSite, PixelBoundsFollowTheScaler) {
    DrawSite site;
    site.scaler().setUnitDpi(254);
    site.scaler().setScale(100);
    auto* frame = new TTestFrame(&site);
    frame->setRect({254, 0, 508, 127});
    site.addDrawObject(*frame);
    const DeviceResolution dpi = site.resolution();
    EXPECT_EQ(frame->controlBounds(), QRect(dpi.x, 0, dpi.x, dpi.y / 2));
}

TEST(DrawSite, ObjectsAndSitesMayGoInEitherOrder) {
    auto site = std::make_unique<DrawSite>();
    auto* owned = new TTestFrame(site.get());
    site->addDrawObject(*owned);
    auto shownOnly = std::make_unique<TTestFrame>();
    site->addDrawObject(*shownOnly);

    delete owned;  // leaves the site
    EXPECT_EQ(site->drawObjects(), (std::vector<TDrawObject*>{shownOnly.get()}));
    site.reset();  // lets go of the object it shows but does not own
    EXPECT_EQ(shownOnly->site(), nullptr);
}

TEST(DrawSite, MovingAnObjectToAnotherSite) {
    DrawSite first;
    DrawSite second;
    TTestFrame frame;
    first.addDrawObject(frame);
    second.addDrawObject(frame);
    EXPECT_TRUE(first.drawObjects().empty());
    EXPECT_EQ(frame.site(), &second);
    second.removeDrawObject(frame);
}

}  // namespace
}  // namespace poremi
