// The picture that records its source: ImageID from the file it was loaded from, both ids
// copied by assignment, one notification per change and the modified flag.

#include "render/raster/picture_ex.h"
#include "tests/poremi_render_raster/picture_holder.h"
#include "tests/support/test_environment.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

TEST(PictureEx, loadingAFileTakesItsNameAsImageIdInOneChange) {
    const QString path = test::freshFolder(QStringLiteral("pictures")) + QStringLiteral("/photo.png");
    ASSERT_TRUE(test::samplePhoto().save(path));
    TPictureEx picture;
    int notified = 0;
    picture.notifier().addListener([&] { ++notified; });
    picture.loadFromFile(path);
    EXPECT_EQ(picture.imageID(), path);
    EXPECT_EQ(picture.width(), test::samplePhoto().width());
    EXPECT_EQ(notified, 1);
    EXPECT_TRUE(picture.isModified());
}

TEST(PictureEx, assignmentCopiesTheGraphicAndBothIds) {
    TPictureEx source;
    source.setGraphic(TEncodedGraphic::pngFromImage(test::samplePhoto()));
    source.setImageID(QStringLiteral("C:\\pictures\\photo.png"));
    source.setStorageID(QStringLiteral("gallery/7"));
    TPictureEx copy;
    copy.assign(source);
    EXPECT_EQ(copy.imageID(), source.imageID());
    EXPECT_EQ(copy.storageID(), source.storageID());
    EXPECT_EQ(copy.data(), source.data());

    // From a plain picture only the graphic comes; the ids stay.
    TPicture plain;
    copy.assign(plain);
    EXPECT_FALSE(copy.hasGraphic());
    EXPECT_EQ(copy.imageID(), source.imageID());
}

TEST(PictureEx, anUnchangedIdIsNoChange) {
    TPictureEx picture;
    picture.setImageID(QStringLiteral("a"));
    picture.setModified(false);
    int notified = 0;
    picture.notifier().addListener([&] { ++notified; });
    picture.setImageID(QStringLiteral("a"));
    EXPECT_EQ(notified, 0);
    EXPECT_FALSE(picture.isModified());
}

}  // namespace
}  // namespace poremi
