// What every mode screen shares: the private copy of the sheet, one label on a site with the
// paper's designs fixed below it, writing the site back, and the remembered zoom.

#include "app/module/class_registration.h"
#include "app/screens/coalesced_refresh.h"
#include "app/screens/face_site.h"
#include "app/screens/screen_zoom.h"
#include "app/screens/working_copy.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "edit/draw_site_widget.h"
#include "objects/picture_face.h"
#include "objects/shape_rect.h"
#include "paper/database/extra_paper_info.h"
#include "paper/paper_info.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QAction>
#include <gtest/gtest.h>

namespace poremi {
namespace {

std::unique_ptr<TMatrixPaperInfo> twoFacePaper() {
    auto paper = std::make_unique<TMatrixPaperInfo>();
    paper->setPaperName(QStringLiteral("二面"));
    paper->setPhysicalSize(1000, 800);
    paper->setFaceCountX(2);
    paper->setFaceCountY(1);
    paper->setFaceWidth(400);
    paper->setFaceHeight(300);
    paper->setLeftOffset(70);
    paper->setTopOffset(90);
    paper->setRightMargin(50);
    paper->setBottomMargin(50);
    return paper;
}

TLORect* addRect(TDOList& list, const TRect& rect) {
    auto* shape = new TLORect;
    shape->setRect(rect);
    list.add(shape);
    return shape;
}

class ScreenFoundationTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerAllClasses();
        document.SetPaper(*twoFacePaper());
        document.setSeparatelyDesign(true);
        auto images = std::make_unique<TImagePaperInfo>();
        TImagePaperInfo::Objects designs;
        auto design = std::make_unique<TLORect>();
        design->setRect({5, 5, 50, 50});
        designs.push_back(std::move(design));
        images->setObjects(1, std::move(designs));
        document.SetImagePaperInfo(images.get());
        TDOList objects;
        addRect(objects, {10, 20, 110, 60});
        addRect(objects, {200, 100, 300, 200});
        document.SaveLabelObjects(1, objects);
        objects.freeAll();
    }

    TLabelData document{nullptr};
};

TEST_F(ScreenFoundationTest, TheCopyHoldsTheCurrentLabelToThePaper) {
    for (const auto& [stored, expected] : std::vector<std::pair<int, int>>{{-1, 0}, {0, 0}, {1, 1}, {2, 1}, {99, 1}}) {
        document.setCurrentLabelNo(stored);
        WorkingCopy copy;
        copy.takeSheetFrom(document);
        EXPECT_EQ(copy.currentLabel(), expected) << stored;
        EXPECT_EQ(copy.data().currentLabelNo(), expected) << stored;
        EXPECT_EQ(copy.data().Paper()->getFaceCount(), 2);
        EXPECT_EQ(copy.data().ImagePaperInfo().objects(1).size(), 1u);
    }
}

TEST_F(ScreenFoundationTest, AFaceGoesOntoTheSiteAboveItsFixedPaperDesignAndBackWithoutIt) {
    document.setCurrentLabelNo(1);
    WorkingCopy copy;
    copy.takeSheetFrom(document);
    copy.takeCurrentLabelFrom(document);

    TDrawSite site;
    site.setModified(true);
    loadFaceOntoSite(copy.data(), site);
    EXPECT_EQ(site.logicalSize(), QSize(400, 300));
    EXPECT_FALSE(site.isModified());
    ASSERT_EQ(site.drawObjects().size(), 3u);
    const TDrawObject* design = site.drawObjects().front();
    EXPECT_EQ(design->layerGroup(), kPaperTemplateLayer);
    EXPECT_FALSE(design->isEnabled());
    EXPECT_FALSE(design->selectable());

    // A face outline on the site is never label data either.
    auto* outline = new TLOFace;
    site.insertComponent(outline);
    site.addDrawObject(*outline);
    storeSiteObjects(site, document, 0);
    TDOList written;
    document.LoadLabelObjects(0, written);
    ASSERT_EQ(written.count(), 2);
    EXPECT_EQ(dynamic_cast<TLORect*>(written.item(0))->rect(), (TRect{10, 20, 110, 60}));
    EXPECT_EQ(dynamic_cast<TLORect*>(written.item(1))->rect(), (TRect{200, 100, 300, 200}));
    written.freeAll();

    // Loading again replaces what the site showed.
    loadFaceOntoSite(copy.data(), site);
    EXPECT_EQ(site.drawObjects().size(), 3u);
}

TEST(ScreenZoomTest, EachScreenRemembersItsOwnZoomOrAutomatic) {
    {
        ScreenZoom zoom(ScreenKind::Menu);
        EXPECT_TRUE(zoom.automatic());
        ASSERT_EQ(zoom.actions().size(), 8);
        EXPECT_EQ(zoom.actions().last()->text(), QStringLiteral("自動(&A)"));
        EXPECT_TRUE(zoom.actions().last()->isChecked());
        int reported = -1;
        QObject::connect(&zoom, &ScreenZoom::chosen, [&](int percent) { reported = percent; });
        zoom.actions().at(5)->trigger();
        EXPECT_EQ(reported, 200);
        EXPECT_TRUE(zoom.actions().at(5)->isChecked());
        EXPECT_FALSE(zoom.actions().last()->isChecked());
        zoom.remember(200);
    }
    EXPECT_EQ(ScreenZoom::remembered(ScreenKind::Menu), 200);
    EXPECT_EQ(ScreenZoom::remembered(ScreenKind::FreeDesign), ScreenZoom::kAutomatic);
    {
        ScreenZoom zoom(ScreenKind::Menu);
        EXPECT_EQ(zoom.percent(), 200);
        EXPECT_TRUE(zoom.actions().at(5)->isChecked());
        zoom.choose(ScreenZoom::kAutomatic);
        zoom.remember(137);
    }
    EXPECT_EQ(ScreenZoom::remembered(ScreenKind::Menu), ScreenZoom::kAutomatic);
}

TEST(CoalescedRefreshTest, ManyRequestsRefreshOnceWhenIdle) {
    int refreshes = 0;
    CoalescedRefresh refresh([&] { ++refreshes; }, nullptr);
    for (int i = 0; i < 5; ++i) refresh.request();
    EXPECT_EQ(refreshes, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes, 1);
    refresh.flush();
    EXPECT_EQ(refreshes, 1);
    refresh.request();
    refresh.flush();
    EXPECT_EQ(refreshes, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes, 2);
}

}  // namespace
}  // namespace poremi
