#include "document/model/objects_thumbnail.h"
#include "paper/face_info.h"
#include "test_objects.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::TTestBox;

TEST(ObjectsThumbnail, ObjectsOnTheFaceShrunkToFitWithTheOutsideFilled) {
    TFaceInfo face;
    face.faceRect = {1000, 500, 2000, 1000};  // 100 × 50 mm somewhere on the sheet
    face.faceShape = fsEllipse;
    TTestBox box;
    box.setRect(face.faceRect);
    TTestBox corner;  // on top, in the face's top-left quarter
    corner.setRect({1000, 500, 1500, 750});
    corner.setColor(0xFF0000);

    const QImage thumbnail = objectsThumbnail({&box, &corner}, face, QColor(0, 255, 0));
    EXPECT_EQ(thumbnail.size(), QSize(200, 100));
    EXPECT_EQ(thumbnail.pixelColor(150, 60), QColor(255, 0, 0)) << "the box inside the ellipse";
    EXPECT_EQ(thumbnail.pixelColor(70, 30), QColor(0, 0, 255)) << "the later object on top";
    EXPECT_EQ(thumbnail.pixelColor(1, 1), QColor(0, 255, 0)) << "outside the ellipse";
    EXPECT_EQ(thumbnail.pixelColor(198, 98), QColor(0, 255, 0));
}

TEST(ObjectsThumbnail, SmallFacesKeepTheirSizeAt96Dpi) {
    TFaceInfo face;
    face.faceRect = {0, 0, 254, 127};  // one inch by half an inch
    const QImage thumbnail = objectsThumbnail({}, face, Qt::gray);
    EXPECT_EQ(thumbnail.size(), QSize(96, 48));
    EXPECT_EQ(thumbnail.pixelColor(48, 24), QColor(Qt::white));
}

}  // namespace
}  // namespace poremi
