// The face of a paper on the paper view: region hit test, selection by press, moving with its
// description, and its paint.

#include "document/model/draw_site.h"
#include "objects/picture_face.h"
#include "tests/poremi_objects/picture_test_support.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

TFaceInfo discAt(int left, int top) {
    TFaceInfo face;
    face.faceRect = {left, top, left + 1200, top + 1200};
    face.faceMargin = 10;
    face.faceShape = fsDoughnut;
    face.facePurpose = QStringLiteral("CD");
    return face;
}

TEST(PictureFace, hitsInsideTheFaceRegionOnly) {
    const TLOFace face(nullptr, discAt(100, 100));
    EXPECT_EQ(face.rect(), (TRect{90, 90, 1310, 1310}));
    EXPECT_TRUE(face.hitTest({700, 700})) << "the hole counts";
    EXPECT_TRUE(face.hitTest({700, 100}));
    EXPECT_FALSE(face.hitTest({95, 95})) << "the corner of the box is outside the disc";
}

TEST(PictureFace, pressTogglesOrInSingleModeSelectsOnlyItself) {
    DrawSite site;
    auto* first = new TLOFace(&site, discAt(0, 0), 0);
    auto* second = new TLOFace(&site, discAt(1300, 0), 1);
    site.addDrawObject(*first);
    site.addDrawObject(*second);
    int changes = 0;
    first->OnSelectionChanged = [&](TLOFace&) { ++changes; };

    first->press();
    second->press();
    EXPECT_TRUE(first->isFaceSelected());
    EXPECT_TRUE(second->isFaceSelected());
    first->press();
    EXPECT_FALSE(first->isFaceSelected());
    EXPECT_EQ(changes, 2);

    first->setSingleSelection(true);
    first->press();
    first->press();
    EXPECT_TRUE(first->isFaceSelected());
    EXPECT_FALSE(second->isFaceSelected());
    EXPECT_EQ(changes, 3);
}

TEST(PictureFace, onlyAMovableFaceMovesAndItsDescriptionFollows) {
    DrawSite site;
    auto* face = new TLOFace(&site, discAt(0, 0));
    site.addDrawObject(*face);
    face->setMovable(false);
    face->moveBy(100, 50);
    EXPECT_EQ(face->faceInfo().faceRect, (TRect{0, 0, 1200, 1200}));
    face->setMovable(true);
    face->moveBy(100, 50);
    EXPECT_EQ(face->faceInfo().faceRect, (TRect{100, 50, 1300, 1250}));
    EXPECT_EQ(face->rect(), face->faceInfo().outerRect());
}

TEST(PictureFace, paintsTheOutlineWhiteOrInTheSelectionColourAndLeavesTheHole) {
    TLOFace face(nullptr, discAt(10, 10));
    face.setShowNumber(true);
    QImage painted = test::paintObject(face, {305, 305}, 0.25, Qt::gray);
    EXPECT_EQ(painted.pixel(152, 40), qRgb(255, 255, 255));
    EXPECT_EQ(painted.pixel(152, 152), QColor(Qt::gray).rgb()) << "the hole is not filled";
    face.setFaceSelected(true);
    painted = test::paintObject(face, {305, 305}, 0.25, Qt::gray);
    test::saveSample(painted, QStringLiteral("picture_face_selected"));
    EXPECT_EQ(painted.pixel(152, 40), TLOFace::selectionColor);
}

}  // namespace
}  // namespace poremi
