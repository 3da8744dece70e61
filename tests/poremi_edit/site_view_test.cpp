#include "document/model/grid_guide.h"
#include "edit/ghost.h"
#include "edit/paper_site.h"
#include "paper/paper_info.h"
#include "site_test_objects.h"

#include <QtCore/QDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>

namespace poremi {
namespace {

using testing::SiteTest;
using testing::TTurnBox;

struct FitCase {
    QSize pixels;
    bool width;
    bool height;
    int expected;
};

class FitScaleTest : public SiteTest, public ::testing::WithParamInterface<FitCase> {};

// 1200 × 600 units are 454 × 227 pixels at 100 % and 96 dpi.
TEST_P(FitScaleTest, FitsTheArea) {
    const FitCase& c = GetParam();
    site->setLogSize(1200, 600);
    EXPECT_EQ(site->fitScale(c.pixels, c.width, c.height), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FitScaleTest,
                         ::testing::Values(FitCase{{908, 10000}, true, true, 200}, FitCase{{908, 227}, true, true, 100},
                                           FitCase{{908, 227}, true, false, 200}, FitCase{{908, 227}, false, true, 100},
                                           FitCase{{908, 227}, false, false, 100}, FitCase{{0, 500}, true, false, 100},
                                           FitCase{{2, 2}, true, true, 1}));

TEST_F(SiteTest, TheWidgetTakesThePixelSizeOfTheAreaAtEveryScale) {
    for (const int scale : {25, 100, 400}) {
        setScale(scale);
        EXPECT_EQ(site->width(), (1200 * 96 * scale + 25400 - 1) / 25400 + 1);
    }
}

TEST_F(SiteTest, HandlesOfATurningObjectSitOnItsTurnedRectangle) {
    TTurnBox* box = addBox({200, 200, 400, 300}, 90);
    box->setSelected(true);
    site->refreshHandles();
    ASSERT_EQ(site->pivots().size(), 8u);
    std::vector<int> indexes;
    for (const TPivot& p : site->pivots()) indexes.push_back(p.index);
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 8, 3, 4, 8, 6, 7}));
    // Turned a quarter clockwise about (300, 250): the top-left corner goes to the top right.
    EXPECT_EQ(site->pivots()[0].position, QPoint(350, 150));
    EXPECT_EQ(site->pivots()[7].position, QPoint(250, 350));
    EXPECT_EQ(site->pivots()[0].cursor.shape(), Qt::SizeFDiagCursor);
    EXPECT_EQ(site->pivots()[1].cursor.shape(), Qt::SizeHorCursor);
    EXPECT_EQ(site->pivots()[2].kind, PivotKind::Rotate);

    box->setMovable(false);
    site->refreshHandles();
    ASSERT_FALSE(site->pivots().empty());
    EXPECT_EQ(site->pivots()[0].cursor.shape(), Qt::ArrowCursor);
}

TEST_F(SiteTest, AHostileGridAndAViewOfNoSizeLeaveTheSiteWorking) {
    TGrid grid;
    grid.setVisible(true);
    grid.setEnabled(true);
    TGuide guide;
    site->setGridGuide(&grid, &guide);
    site->snapFunction = site->gridGuideSnap();
    TTurnBox* box = addBox({203, 207, 303, 307});
    for (const int size : {0, -50, 1}) {
        SCOPED_TRACE(size);
        grid.setSize(size);
        site->invalidateObjects();
        EXPECT_FALSE(site->grab().isNull());
        const TRect before = box->rect();
        const QPoint at = px(rectCenter(before));
        drag(at, at + QPoint(8, 0));
        EXPECT_GT(box->left(), before.left);  // moved, not pulled back to where it was
    }

    area.resize(0, 0);
    site->setLogSize(0, 0);
    QTest::qWait(1);
    EXPECT_FALSE(site->grab().isNull());
    drag({0, 0}, {5, 5});
    EXPECT_TRUE(TGhostList::instance().isEmpty());
    EXPECT_EQ(site->fitScale(area.viewport()->size(), true, true), 100);
}

class SiteScreenshot : public SiteTest {
protected:
    // A real screen grab on an X server, the widget's own rendering elsewhere.
    QImage shoot() {
        QTest::qWait(50);
        const QPixmap shot = QGuiApplication::platformName() == u"xcb" ? area.screen()->grabWindow(area.winId()) : area.grab();
        return shot.toImage().convertToFormat(QImage::Format_RGB32);
    }
    void keep(const QImage& image, const QString& name) {
        const QString dir = qEnvironmentVariable("POREMI_TEST_OUTPUT_DIR");
        QDir().mkpath(dir);
        EXPECT_TRUE(image.save(dir + '/' + QGuiApplication::platformName() + '_' + name));
    }
};

// A selection with its handles, then the ghost of a move over the grid and guides.
TEST_F(SiteScreenshot, SelectionHandlesAndAGhostMidDrag) {
    setScale(200);
    TGrid grid;
    grid.setVisible(true);
    grid.setSize(50);
    TGuide guide;
    guide.setVisible(true);
    guide.setGuide(0, {700, 0});
    guide.setGuide(1, {0, 450});
    site->setGridGuide(&grid, &guide);
    TTurnBox* box = addBox({150, 150, 450, 350});
    addBox({500, 200, 650, 300}, 20);
    box->setSelected(true);
    site->refreshHandles();
    const QImage selected = shoot();
    keep(selected, "site_selection.png");
    // A handle is painted black inside a white frame.
    const QPoint corner = site->mapTo(&area, px({150, 150}));
    EXPECT_EQ(selected.pixel(corner), qRgb(0, 0, 0));

    const QPoint from = px({300, 250});
    press(from);
    moveTo(from + QPoint(60, 50));
    moveTo(from + QPoint(120, 90));
    const QImage ghost = shoot();
    keep(ghost, "site_ghost.png");
    const QRect bounds = site->logToPixelRect(dynamic_cast<const TUniversalGhost&>(TGhostList::instance().at(0)).ghostObject().getBounds());
    // The dotted outline (one pixel in three) inverts the pixels along the ghost's top edge.
    int inverted = 0;
    for (int x = bounds.left() + 2; x < bounds.right() - 2; ++x) {
        const QPoint at = site->mapTo(&area, QPoint(x, bounds.top()));
        inverted += selected.pixel(at) != ghost.pixel(at);
    }
    EXPECT_GT(inverted, (bounds.width() - 4) / 4);
    release(from + QPoint(120, 90));
}

// The paper view: a sheet of 2 × 3 faces fitted and centred in its parent, one object a face.
TEST_F(SiteScreenshot, PaperViewShowsEveryFaceAndReportsClicks) {
    TMatrixPaperInfo paper;
    paper.setPhysicalSize(2100, 2970);
    paper.setLeftOffset(150);
    paper.setTopOffset(200);
    paper.setFaceWidth(850);
    paper.setFaceHeight(800);
    paper.setRightMargin(100);
    paper.setBottomMargin(100);
    paper.setFaceCountX(2);
    paper.setFaceCountY(3);

    QWidget parent;
    parent.resize(420, 500);
    auto* view = new TPaperSite(&parent);
    view->setResolution({96, 96});
    view->setFaceMaker([](const TPaperInfo& p, int index, const TPaperSite&) {
        auto face = std::make_unique<TTurnBox>();
        face->setRect(p.getFaceOuterRect(index));
        return face;
    });
    view->setPaper(&paper);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));

    EXPECT_EQ(view->logicalSize(), QSize(2100, 2970));
    ASSERT_EQ(view->faceObjects().size(), 6u);
    EXPECT_EQ(view->faceObjects()[3]->getBounds(), (TRect{1100, 1100, 1950, 1900}));
    // 2970 units are 1123 pixels at 100 %: the height limits the fit.
    EXPECT_EQ(view->scaler().scale(), 100 * 500 / 1123);
    EXPECT_LE(view->height(), 500);
    EXPECT_NEAR(view->x(), (420 - view->width()) / 2, 1);

    QSignalSpy clicks(view, &TPaperSite::faceClicked);
    const QPoint onFace4 = view->logToPixel({500, 2300});
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(onFace4), QPointF(view->mapToGlobal(onFace4)), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(view, &press);
    EXPECT_EQ(clicks.count(), 0);  // only once released
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(onFace4), QPointF(view->mapToGlobal(onFace4)), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(view, &release);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 4);
    EXPECT_TRUE(view->faceObjects()[4]->isSelected());

    QTest::qWait(50);
    const QPixmap shot = QGuiApplication::platformName() == u"xcb" ? parent.screen()->grabWindow(parent.winId()) : parent.grab();
    keep(shot.toImage(), "paper_view.png");

    view->setPaper(nullptr);
    EXPECT_TRUE(view->drawObjects().empty());
}

}  // namespace
}  // namespace poremi
