#include "document/model/object_placement.h"
#include "test_objects.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::TTestFrame;

// A frame whose aspect is kept, as images do.
class TKeptFrame : public TTestFrame {
public:
    bool keepAspect() const override { return true; }
};

TEST(ObjectPlacement, ObjectsAreKeptOneMillimetreInsideTheFace) {
    const TRect face{100, 100, 600, 400};
    struct Case {
        const char* what;
        TRect object;
        TRect expected;
    };
    const Case cases[] = {
        {"centre 5 units left of the face moves right by 15", {85, 200, 105, 220}, {100, 200, 120, 220}},
        {"centre beyond the bottom right", {700, 500, 720, 520}, {580, 380, 600, 400}},
        {"centre exactly 1 mm inside stays", {100, 100, 120, 120}, {100, 100, 120, 120}},
        {"centre well inside stays", {200, 200, 300, 300}, {200, 200, 300, 300}},
        {"centres are halved toward zero", {-31, 150, 0, 170}, {94, 150, 125, 170}},
    };
    for (const Case& c : cases) {
        TTestFrame frame;
        frame.setRect(c.object);
        keepObjectsOnFace({&frame}, face);
        EXPECT_EQ(frame.rect(), c.expected) << c.what;
    }
}

TEST(ObjectPlacement, NewObjectsAreFittedAndCentred) {
    struct Case {
        const char* what;
        bool keepAspect;
        TRect object;
        TRect expected;
    };
    const Case cases[] = {
        {"small: only centred", false, {0, 0, 100, 50}, {450, 275, 550, 325}},
        {"too wide: width limited", false, {0, 0, 2000, 50}, {0, 275, 1000, 325}},
        {"too high: height limited", false, {0, 0, 100, 900}, {450, 0, 550, 600}},
        {"kept aspect, too high", true, {0, 0, 300, 1200}, {425, 0, 575, 600}},
        {"kept aspect, too wide", true, {0, 0, 4000, 400}, {0, 250, 1000, 350}},
        {"a vertical line keeps its no width", true, {0, 0, 0, 1200}, {500, 0, 500, 600}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TTestFrame> frame = c.keepAspect ? std::make_unique<TKeptFrame>() : std::make_unique<TTestFrame>();
        frame->setRect(c.object);
        fitNewObject(*frame, QSize(1000, 600), QPoint(500, 300));
        EXPECT_EQ(frame->rect(), c.expected) << c.what;
    }
}

TEST(ObjectPlacement, DefaultImageSizeTakesThePictureAt180Dpi) {
    EXPECT_EQ(defaultImageSize(QSize(180, 360)), QSize(254, 508));
    EXPECT_EQ(defaultImageSize(QSize(1, 1)), QSize(30, 30));
    EXPECT_EQ(defaultImageSize(QSize(0, 100)), QSize(30, 141));
    EXPECT_EQ(defaultImageSize(QSize(9, 21)), QSize(30, 30));
}

}  // namespace
}  // namespace poremi
