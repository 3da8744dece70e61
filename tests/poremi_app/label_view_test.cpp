// One label shown for editing: the site and rulers take the current face, the zoom fits or
// scrolls, the grey surround deselects and feeds the pointer markers, and the marks painted
// over the objects lie where the face says.

#include "app/module/class_registration.h"
#include "app/screens/default_paper.h"
#include "app/screens/label_view.h"
#include "app/screens/working_copy.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "edit/draw_site_widget.h"
#include "edit/ruler.h"
#include "objects/shape_rect.h"
#include "paper/paper_info.h"
#include "tests/poremi_app/window_fixture.h"
#include "tests/support/test_environment.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <gtest/gtest.h>

namespace poremi {
namespace {

// Two faces side by side, each 600 × 400 units with a bleed of 20.
std::unique_ptr<TMatrixPaperInfo> twoFacePaper(TFaceShape shape) {
    auto paper = std::make_unique<TMatrixPaperInfo>();
    paper->setPaperName(QStringLiteral("二面"));
    paper->setPhysicalSize(1600, 800);
    paper->setFaceCountX(2);
    paper->setFaceCountY(1);
    paper->setFaceWidth(600);
    paper->setFaceHeight(400);
    paper->setLeftOffset(100);
    paper->setTopOffset(100);
    paper->setRightMargin(100);
    paper->setBottomMargin(100);
    paper->setFaceMargin(20);
    paper->setFaceShape(shape);
    paper->setCutCenterWidth(100);
    paper->setCutCenterHeight(100);
    return paper;
}

class LabelViewTest : public ::testing::Test {
protected:
    void SetUp() override { registerAllClasses(); }

    // The copy of a document on the paper, its current label the face, with one rectangle there.
    void takeDocument(std::unique_ptr<TMatrixPaperInfo> paper, int face = 1) {
        TLabelData document(nullptr);
        document.SetPaper(*paper);
        document.setSeparatelyDesign(true);
        document.setCurrentLabelNo(face);
        copy.takeSheetFrom(document);
        TDOList objects;
        auto* shape = new TLORect;
        shape->setRect({100, 100, 200, 150});
        objects.add(shape);
        copy.data().SaveLabelObjects(face, objects);
        objects.freeAll();
    }

    void showAt(QSize size) {
        view.resize(size);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QWidget& viewport() { return *view.scrollBox().viewport(); }

    void sendToViewport(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
        const QPointF global = viewport().mapToGlobal(QPointF(at));
        QMouseEvent event(type, QPointF(at), QPointF(at), global, button, button == Qt::NoButton ? Qt::NoButton : button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&viewport(), &event);
    }

    WorkingCopy copy;
    LabelView view;
};

TEST_F(LabelViewTest, LoadingSizesTheSiteAndTheRulersFromTheCurrentFace) {
    takeDocument(twoFacePaper(fsRect));
    view.load(copy);
    // The outer rectangle: the face grown by its bleed on every side.
    EXPECT_EQ(view.site().logicalSize(), QSize(640, 440));
    EXPECT_EQ(view.horizontalRuler().rulerLength(), 64);
    EXPECT_EQ(view.verticalRuler().rulerLength(), 44);
    EXPECT_EQ(view.face().faceRect, copy.data().Paper()->getFaceInfo(1).faceRect);
    EXPECT_FALSE(view.site().isModified());
    // The face's own rectangle and no paper designs.
    ASSERT_EQ(view.site().drawObjects().size(), 1u);
    EXPECT_TRUE(view.site().drawObjects().front()->selectable());
}

TEST_F(LabelViewTest, ALandscapePaperGivesTheTurnedFace) {
    auto paper = twoFacePaper(fsRect);
    paper->setLandscape(true);
    takeDocument(std::move(paper), 0);
    view.load(copy);
    EXPECT_EQ(view.site().logicalSize(), QSize(440, 640));
    EXPECT_EQ(view.horizontalRuler().rulerLength(), 44);
    EXPECT_EQ(view.verticalRuler().rulerLength(), 64);
    EXPECT_EQ(rectWidth(view.face().faceRect), 400);
    EXPECT_EQ(rectHeight(view.face().faceRect), 600);
}

TEST_F(LabelViewTest, AutomaticZoomFitsTheLargestScaleOnEveryResize) {
    takeDocument(twoFacePaper(fsRect));
    view.load(copy);
    view.setAutomatic(true);
    showAt(QSize(500, 400));
    QSignalSpy scales(&view, &LabelView::scaleChanged);
    QSignalSpy resizes(&view, &LabelView::viewResized);
    for (const QSize size : {QSize(500, 400), QSize(900, 300), QSize(300, 900), QSize(1200, 900)}) {
        view.resize(size);
        QCoreApplication::processEvents();
        const int edge = view.scrollBox().frameWidth();
        const QSize client = viewport().rect().adjusted(edge, edge, -edge, -edge).size();
        const int fitted = view.scale();
        EXPECT_FALSE(view.scrollBox().horizontalScrollBar()->isVisible()) << size.width();
        EXPECT_FALSE(view.scrollBox().verticalScrollBar()->isVisible()) << size.width();
        EXPECT_LE(view.site().width(), viewport().width()) << size.width();
        EXPECT_LE(view.site().height(), viewport().height()) << size.width();
        // One percent more no longer fits the client area on some axis.
        TDrawSite probe;
        probe.scaler().setUnitDpi(254);
        probe.setLogSize(640, 440);
        probe.scaler().setScale(fitted + 1);
        EXPECT_TRUE(probe.width() > client.width() || probe.height() > client.height()) << size.width() << " at " << fitted;
    }
    EXPECT_EQ(resizes.count(), 3);
    EXPECT_GE(scales.count(), 2);
    EXPECT_EQ(scales.back().front().toInt(), view.scale());
}

TEST_F(LabelViewTest, AFixedScaleShowsScrollBarsAndSurvivesResizing) {
    takeDocument(twoFacePaper(fsRect));
    view.load(copy);
    view.setAutomatic(true);
    showAt(QSize(400, 300));
    view.setScale(400);
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.automatic());
    EXPECT_EQ(view.scale(), 400);
    EXPECT_TRUE(view.scrollBox().horizontalScrollBar()->isVisible());
    EXPECT_TRUE(view.scrollBox().verticalScrollBar()->isVisible());
    view.resize(500, 350);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.scale(), 400);
    // Leaving automatic fitting keeps the fitted scale and lets the scroll bars show.
    view.setAutomatic(true);
    const int fitted = view.scale();
    view.setAutomatic(false);
    view.resize(700, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.scale(), fitted);
    EXPECT_EQ(view.scrollBox().horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    view.setScale(400);

    // Right after a new scale, before its scroll bars have shown.
    view.ensureVisible({560, 400, 600, 430});
    QCoreApplication::processEvents();
    const QRect shown = view.site().visibleRegion().boundingRect();
    for (const QPoint corner : {QPoint(560, 400), QPoint(600, 430)})
        EXPECT_TRUE(shown.contains(view.site().logToPixel(corner))) << corner.x() << ": " << shown.right() << "," << shown.bottom();
    view.scrollToOrigin();
    EXPECT_EQ(view.scrollBox().horizontalScrollBar()->value(), 0);
    EXPECT_EQ(view.scrollBox().verticalScrollBar()->value(), 0);
}

TEST_F(LabelViewTest, TheGreyAreaDeselectsAndMovesThePointerMarkers) {
    takeDocument(twoFacePaper(fsRect));
    view.load(copy);
    showAt(QSize(700, 600));
    view.setScale(25);
    QCoreApplication::processEvents();
    const QRect site = view.site().geometry();
    ASSERT_GT(site.left(), 4);
    ASSERT_GT(site.top(), 4);

    TDrawObject& shape = *view.site().drawObjects().front();
    shape.setSelected(true);
    ASSERT_EQ(view.site().selection().size(), 1u);
    // A press on the site itself is not the grey area's.
    sendToViewport(QEvent::MouseButtonPress, site.center(), Qt::LeftButton);
    EXPECT_EQ(view.site().selection().size(), 1u);
    sendToViewport(QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton);
    EXPECT_TRUE(view.site().selection().empty());

    QSignalSpy moves(&view, &LabelView::pointerMoved);
    sendToViewport(QEvent::MouseMove, QPoint(2, 2));
    ASSERT_EQ(moves.count(), 1);
    EXPECT_LT(moves.back().front().toPoint().x(), 0);
    EXPECT_LT(moves.back().front().toPoint().y(), 0);
    EXPECT_EQ(view.horizontalRuler().pointer(), 0);
    EXPECT_EQ(view.verticalRuler().pointer(), 0);
    sendToViewport(QEvent::MouseMove, QPoint(viewport().width() - 2, viewport().height() - 2));
    EXPECT_EQ(view.horizontalRuler().pointer(), 640);
    EXPECT_EQ(view.verticalRuler().pointer(), 440);
    // Between the two: the marker is the pointer's own position.
    sendToViewport(QEvent::MouseMove, site.topLeft() + QPoint(site.width() / 2, 1));
    EXPECT_NEAR(view.horizontalRuler().pointer().value_or(-1), 320, 10);
}

// The view's marks drawn at one pixel per unit, the label's origin at (10, 10), over white
// with a black square where the hole's outline runs.
class LabelViewPaintTest : public LabelViewTest {
protected:
    static constexpr int kOrigin = 10;

    QImage paint(TFaceShape shape, const std::function<void(QPainter&)>& between = {}) {
        takeDocument(twoFacePaper(shape));
        view.load(copy);
        freeObjects();
        view.setPaintBetween(between);
        QImage image(660, 460, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(10000);  // 254 dpi: one document unit a pixel
        image.setDotsPerMeterY(10000);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.fillRect(QRect(at({300, 180}), at({340, 260})), Qt::black);
        view.site().drawTo(painter, QPoint(kOrigin, kOrigin), 100);
        return image;
    }
    void freeObjects() {
        for (TDrawObject* object : view.site().drawObjects()) delete object;
    }
    static QPoint at(QPoint logical) { return logical + QPoint(kOrigin, kOrigin); }
    static QRgb rgb(const QImage& image, QPoint logical) { return image.pixel(at(logical)) & 0xFFFFFF; }

    // Pixels of the colour in the row of logical y from x0 to x1, one row either side.
    static int countAround(const QImage& image, int y, int x0, int x1, QRgb colour) {
        int count = 0;
        for (int row = y - 1; row <= y + 1; ++row)
            for (int x = x0; x <= x1; ++x) count += rgb(image, {x, row}) == colour;
        return count;
    }
};

TEST_F(LabelViewPaintTest, TheFrameIsBlackAroundTheLogicalArea) {
    const QImage image = paint(fsRect);
    for (const QPoint corner : {QPoint(0, 0), QPoint(640, 0), QPoint(0, 440), QPoint(640, 440), QPoint(320, 0), QPoint(0, 220)})
        EXPECT_EQ(rgb(image, corner), 0x000000u) << corner.x() << "," << corner.y();
    // Nothing outside it, nothing between it and the trim line.
    EXPECT_EQ(rgb(image, {-3, 220}), 0xFFFFFFu);
    EXPECT_EQ(rgb(image, {644, 220}), 0xFFFFFFu);
    EXPECT_EQ(rgb(image, {10, 220}), 0xFFFFFFu);
    for (int x = 0; x < image.width(); x += 7) ASSERT_EQ(qAlpha(image.pixel(x, kOrigin)), 255) << x;
}

TEST_F(LabelViewPaintTest, TheTrimLineIsDottedGreyOnTheCutInsideTheBleed) {
    const QImage image = paint(fsRect);
    constexpr QRgb grey = 0x808080;
    // The cut runs 20 units inside the frame; dotted, so both grey and white along it.
    const int onTop = countAround(image, 20, 100, 540, grey);
    EXPECT_GT(onTop, 100);
    EXPECT_LT(onTop, 440);
    EXPECT_GT(countAround(image, 20, 100, 540, 0xFFFFFF), 3 * 441 - 440);
    int onLeft = 0;
    for (int y = 100; y <= 340; ++y) onLeft += rgb(image, {20, y}) == grey;
    EXPECT_GT(onLeft, 60);
    EXPECT_LT(onLeft, 241);
    // Not on the frame, nor in the middle.
    EXPECT_EQ(countAround(image, 220, 100, 540, grey), 0);
}

TEST_F(LabelViewPaintTest, TheFaceOutlineInvertsWhatLiesBelow) {
    const QImage image = paint(fsDoughnut);
    // The hole left by the bleed: 100 − 2 × 20 across, centred at (320, 220). Its outline's
    // left end at x 290 crosses white (turning black), its right end at x 350 crosses
    // white too, while the black square under x 300 … 340 turns white where the outline runs.
    EXPECT_GT(countAround(image, 220, 288, 292, 0x000000), 0);
    EXPECT_GT(countAround(image, 220, 348, 352, 0x000000), 0);
    EXPECT_GT(countAround(image, 190, 315, 325, 0xFFFFFF), 0);
    EXPECT_EQ(countAround(image, 220, 315, 325, 0xFFFFFF), 0);
    for (int y = 170; y <= 270; y += 3) ASSERT_EQ(qAlpha(image.pixel(at({320, y}))), 255) << y;
}

TEST_F(LabelViewPaintTest, TheScreensMarksLieBetweenTheOutlineAndTheFrame) {
    // Blue across the frame's left edge and over the hole's outline.
    const QImage image = paint(fsDoughnut, [](QPainter& painter) {
        painter.fillRect(QRect(-5, 200, 50, 40), QColor(0, 0, 255));
        painter.fillRect(QRect(280, 180, 80, 80), QColor(0, 0, 255));
    });
    EXPECT_EQ(rgb(image, {0, 220}), 0x000000u);
    EXPECT_EQ(rgb(image, {5, 220}), 0x0000FFu);
    // The outline came first and is covered, the dotted trim line of the hole came after.
    int greyOverBlue = 0, other = 0;
    for (int y = 181; y < 259; ++y) {
        for (int x = 281; x < 359; ++x) {
            const QRgb pixel = rgb(image, {x, y});
            greyOverBlue += pixel == 0x808080;
            other += pixel != 0x808080 && pixel != 0x0000FF;
        }
    }
    EXPECT_GT(greyOverBlue, 5);
    EXPECT_EQ(other, 0);
}

// Pictures for people: the shipped default paper's first face at fit and at 400 %.
class LabelViewPictureTest : public test::WindowTest {};

TEST_F(LabelViewPictureTest, TheDefaultPapersFaceAtFitAndAt400) {
    registerAllClasses();
    DefaultPaper paper = defaultPaper(module->papers());
    ASSERT_TRUE(paper.paper);
    TLabelData document(nullptr);
    document.SetPaper(*paper.paper);
    document.setSeparatelyDesign(paper.separatelyDesign);
    WorkingCopy copy;
    copy.takeSheetFrom(document);
    // A dark band across the hole shows the outline inverted over it.
    TDOList objects;
    auto* band = new TLORect;
    const TRect outer = paper.paper->getFaceOuterRect(0);
    band->setRect({0, rectHeight(outer) / 2 - 100, rectWidth(outer) * 3 / 4, rectHeight(outer) / 2 + 100});
    band->fillColorObject().setColor(0x804020);
    band->setFillInside(true);
    objects.add(band);
    copy.data().SaveLabelObjects(0, objects);
    objects.freeAll();
    LabelView view;
    view.load(copy);
    EXPECT_TRUE(view.face().hasCutCenter()) << "the default paper is a disc label";
    view.setAutomatic(true);
    view.resize(640, 520);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    const QString folder = test::outputFolder();
    QDir().mkpath(folder);
    EXPECT_TRUE(view.grab().save(folder + QStringLiteral("/label_view_fit.png")));
    view.setScale(400);
    const TRect hole = offsetRect(view.face().cutCenterRect(), -outer.left, -outer.top);
    view.ensureVisible({hole.left - 50, hole.top - 50, hole.left + 50, hole.top + 50});
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.grab().save(folder + QStringLiteral("/label_view_400.png")));
}

}  // namespace
}  // namespace poremi
