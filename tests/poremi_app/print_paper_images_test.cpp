// The paper's own designs as a print job places them: relative to the face, and on a
// landscape paper turned with the face as the sheet's geometry turns it.

#include "app/module/class_registration.h"
#include "app/screens/print_paper_images.h"
#include "objects/shape_rect.h"
#include "paper/database/extra_paper_info.h"
#include "paper/paper_info.h"
#include "tests/poremi_app/two_face_paper.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

using test::twoFacePaper;

// One turned rectangle as the design of face 1.
std::unique_ptr<TImagePaperInfo> designOnSecondFace(const TRect& rect, int angle) {
    auto images = std::make_unique<TImagePaperInfo>();
    auto shape = std::make_unique<TLORect>();
    shape->setRect(rect);
    shape->setAngle(angle);
    TImagePaperInfo::Objects objects;
    objects.push_back(std::move(shape));
    images->setObjects(1, std::move(objects));
    return images;
}

TRect centredOn(const TRect& r) { return {r.left + r.right, r.top + r.bottom, 0, 0}; }

class PrintPaperImagesTest : public ::testing::Test {
protected:
    void SetUp() override { registerAllClasses(); }
};

TEST_F(PrintPaperImagesTest, OnlyAFaceWithADesignCounts) {
    const auto paper = twoFacePaper(false);
    EXPECT_FALSE(PrintPaperImages::anyFace(TImagePaperInfo(), *paper));
    EXPECT_TRUE(PrintPaperImages::anyFace(*designOnSecondFace({10, 20, 110, 60}, 0), *paper));
}

TEST_F(PrintPaperImagesTest, LandscapeFacesTurnTheirDesignsWithTheSheet) {
    const TRect design{100, 200, 300, 260};
    const struct Case {
        bool landscape;
        int angle;
        int expectedAngle;
    } cases[] = {{false, 30, 30}, {true, 30, 300}, {true, 90, 0}, {true, 0, 270}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "landscape " << c.landscape << " angle " << c.angle);
        const auto paper = twoFacePaper(c.landscape);
        const auto images = designOnSecondFace(design, c.angle);
        PrintPaperImages placed(*images, *paper);
        TDOList objects;
        placed.addTo(0, objects);
        EXPECT_EQ(objects.count(), 0);
        placed.addTo(1, objects);
        ASSERT_EQ(objects.count(), 1);
        auto* shape = dynamic_cast<TLORect*>(objects.item(0));
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->angle(), c.expectedAngle);

        // Where the sheet's own turn puts the design made on the upright face.
        const auto upright = twoFacePaper(false);
        const TRect face = upright->getFaceOuterRect(1);
        TRect onSheet{design.left + face.left, design.top + face.top, design.right + face.left, design.bottom + face.top};
        if (c.landscape) onSheet = paper->rotateRect(onSheet);
        const TRect turnedFace = paper->getFaceOuterRect(1);
        const TRect expected{onSheet.left - turnedFace.left, onSheet.top - turnedFace.top, onSheet.right - turnedFace.left,
                             onSheet.bottom - turnedFace.top};
        const TRect actual = centredOn(shape->getBounds());
        EXPECT_EQ(actual.left, centredOn(expected).left);
        EXPECT_EQ(actual.top, centredOn(expected).top);
        // The design of the paper itself stays as it was.
        auto* original = dynamic_cast<const TLORect*>(images->objects(1).front());
        EXPECT_EQ(original->angle(), c.angle);
        EXPECT_EQ(original->rect().left, design.left);
    }
}

}  // namespace
}  // namespace poremi
