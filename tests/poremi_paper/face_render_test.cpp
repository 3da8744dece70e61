// Faces drawn at 254 dpi (one pixel per 0.1 mm) without antialiasing, probed pixel by pixel.
// The images stay in the test output folder for a person to look at.

#include "paper/face_info.h"
#include "paper/face_outline.h"
#include "paper/paper_info.h"
#include "render/geometry/scaler.h"
#include "tests/poremi_paper/output_folder.h"

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <functional>
#include <gtest/gtest.h>

namespace poremi {
namespace {

// A white 254-dpi sheet on which a drawing is made in document units.
class Sheet {
public:
    Sheet(int width, int height) : image_(width, height, QImage::Format_RGB32) {
        image_.setDotsPerMeterX(10000);
        image_.setDotsPerMeterY(10000);
        image_.fill(Qt::white);
    }

    void draw(const std::function<void(QPainter&)>& paint) {
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        TScaler scaler;
        scaler.setUnitDpi(254);
        scaler.prepareCanvas(painter);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        paint(painter);
    }

    bool inked(int x, int y) const { return image_.pixel(x, y) == qRgb(0, 0, 0); }
    void keep(const QString& name) const {
        ASSERT_TRUE(image_.save(QDir(test::outputFolder()).filePath(name + QStringLiteral(".png"))));
    }

private:
    QImage image_;
};

TEST(FaceRendering, EverySixShapeWithAndWithoutMarginAndHole) {
    // Face 600 × 500 at (50, 50), hole 200 × 200 centred at (350, 300), corners 100.
    for (int shape = fsRect; shape <= fsBarrelCD; ++shape) {
        for (int margin : {0, 30}) {
            TFaceInfo f;
            f.faceRect = {50, 50, 650, 550};
            f.faceShape = TFaceShape(shape);
            f.faceMargin = margin;
            f.setCutCenterSize(200);
            Sheet sheet(700, 600);
            sheet.draw([&](QPainter& p) { f.drawOutline(p); });
            sheet.keep(QStringLiteral("face-%1-margin%2").arg(faceShapeNames()[shape]).arg(margin));
            const QString what = faceShapeNames()[shape] + QStringLiteral(" margin ") + QString::number(margin);

            EXPECT_TRUE(sheet.inked(200, 300)) << what.toStdString();
            // The hole is left unpainted; shapes without one are filled there.
            EXPECT_EQ(sheet.inked(350, 300), !f.hasCutCenter()) << what.toStdString();
            // The bleed reaches into the hole: 265 lies in the hole but within 30 of its edge.
            EXPECT_EQ(sheet.inked(265, 300), !f.hasCutCenter() || margin > 0) << what.toStdString();
            // Only the square label fills its corners; round and barrel labels leave the top edge
            // empty away from its middle.
            const TRect outer = f.outerRect();
            EXPECT_EQ(sheet.inked(outer.left + 3, outer.top + 3), shape == fsRect) << what.toStdString();
            EXPECT_EQ(sheet.inked(150, outer.top + 2), shape != fsEllipse && shape != fsDoughnut && shape != fsBarrelCD)
                << what.toStdString();
            // The bleed beyond the cut line.
            EXPECT_EQ(sheet.inked(35, 300), margin > 0) << what.toStdString();
            EXPECT_EQ(sheet.inked(664, 300), margin > 0) << what.toStdString();
            EXPECT_FALSE(sheet.inked(690, 300)) << what.toStdString();
        }
    }
}

TEST(FaceRendering, AHoleOfSizeZeroCutsNothing) {
    TFaceInfo f;
    f.faceRect = {0, 0, 400, 400};
    f.faceShape = fsDoughnut;
    f.setCutCenterSize(0);
    Sheet sheet(400, 400);
    sheet.draw([&](QPainter& p) { f.drawOutline(p); });
    EXPECT_TRUE(sheet.inked(200, 200));
    EXPECT_TRUE(f.createRegion(true).contains(QPoint(200, 200)));
}

TEST(FaceRendering, RelativeDrawingMovesTheOuterTopLeftToTheOrigin) {
    TFaceInfo f;
    f.faceRect = {1000, 2000, 1600, 2500};
    f.faceShape = fsRectCD;
    f.faceMargin = 20;
    Sheet sheet(640, 540);
    sheet.draw([&](QPainter& p) { f.drawOutline(p, true); });
    sheet.keep(QStringLiteral("face-relative"));
    EXPECT_TRUE(sheet.inked(320, 20));   // top edge centre
    EXPECT_FALSE(sheet.inked(320, 270)); // hole centre
    EXPECT_FALSE(sheet.inked(1, 1));     // rounded corner
}

TEST(FaceRendering, BarrelOutlineHasFlatEdgesBetweenTheChordEnds) {
    // e = sqrt(580² − 500²) ≈ 293.94: flat edges from 286 to 874, arcs through (0, 500), (1160, 500).
    const QPainterPath path = barrelPath({0, 0, 1160, 1000});
    const auto hasPoint = [&](double x, double y) {
        for (int i = 0; i < path.elementCount(); ++i)
            if (QPointF(path.elementAt(i)) == QPointF(x, y)) return true;
        return false;
    };
    EXPECT_TRUE(hasPoint(286, 0));
    EXPECT_TRUE(hasPoint(874, 0));
    EXPECT_TRUE(hasPoint(874, 1000));
    EXPECT_TRUE(hasPoint(286, 1000));

    TFaceInfo f;
    f.faceRect = {0, 0, 1160, 1000};
    f.faceShape = fsBarrelCD;
    f.cutCenterWidth = 1;  // a hole too small to reach a probe
    f.cutCenterHeight = 1;
    Sheet sheet(1160, 1000);
    sheet.draw([&](QPainter& p) { f.drawOutline(p); });
    sheet.keep(QStringLiteral("barrel-1160x1000"));
    for (int y : {0, 999}) {
        for (int x : {286, 400, 580, 760, 873}) EXPECT_TRUE(sheet.inked(x, y)) << x << "," << y;
        for (int x : {0, 100, 280, 880, 1100, 1159}) EXPECT_FALSE(sheet.inked(x, y)) << x << "," << y;
    }
    EXPECT_TRUE(sheet.inked(0, 500));
    EXPECT_TRUE(sheet.inked(1159, 500));
    EXPECT_FALSE(sheet.inked(3, 400));

    // On a square the barrel is the full circle.
    Sheet round(400, 400);
    round.draw([&](QPainter& p) { p.drawPath(barrelPath({0, 0, 400, 400})); });
    round.keep(QStringLiteral("barrel-square"));
    EXPECT_TRUE(round.inked(200, 1));
    EXPECT_TRUE(round.inked(1, 200));
    EXPECT_FALSE(round.inked(20, 20));
    EXPECT_FALSE(round.inked(380, 380));
}

TEST(FaceRendering, BarrelHoleAndTallBarrel) {
    TFaceInfo f;
    f.faceRect = {0, 0, 600, 1000};
    f.faceShape = fsBarrelCD;
    f.centerShape = csBarrel;
    f.cutCenterWidth = 100;
    f.cutCenterHeight = 300;
    Sheet sheet(600, 1000);
    sheet.draw([&](QPainter& p) { f.drawOutline(p); });
    sheet.keep(QStringLiteral("barrel-tall-with-barrel-hole"));
    // Tall: flat sides from y = round(500 − 400) to round(500 + 400).
    EXPECT_TRUE(sheet.inked(0, 120));
    EXPECT_TRUE(sheet.inked(599, 880));
    EXPECT_FALSE(sheet.inked(0, 60));
    EXPECT_TRUE(sheet.inked(300, 2));
    // The hole 100 × 300 at (250, 350): flat sides at x 250 and 350 around mid-height.
    EXPECT_FALSE(sheet.inked(255, 500));
    EXPECT_FALSE(sheet.inked(300, 355));
    EXPECT_TRUE(sheet.inked(252, 352));
    EXPECT_TRUE(sheet.inked(245, 500));
}

TEST(FaceRendering, TrimLineAndClipInDevicePixels) {
    TFaceInfo f;
    f.faceRect = {100, 100, 500, 500};
    f.faceShape = fsDoughnut;
    f.faceMargin = 40;
    f.setCutCenterSize(100);
    Sheet sheet(600, 600);
    sheet.draw([&](QPainter& p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 0));
        f.drawTrimLine(p);
    });
    sheet.keep(QStringLiteral("trim-line"));
    const auto inkedNear = [&](int x, int y) { return sheet.inked(x, y - 1) || sheet.inked(x, y) || sheet.inked(x, y + 1); };
    EXPECT_TRUE(inkedNear(300, 100));  // the cut line, not the bleed edge
    EXPECT_FALSE(inkedNear(300, 60));
    EXPECT_TRUE(inkedNear(300, 250));  // the hole's cut line
    EXPECT_FALSE(inkedNear(300, 200));
    EXPECT_FALSE(inkedNear(300, 290));

    // Clipping to the region in device pixels at 96 dpi: 254 units are 96 pixels.
    QImage image(300, 300, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter painter(&image);
    TScaler scaler;
    scaler.setUnitDpi(254);
    scaler.prepareCanvas(painter);
    const QRegion region = f.createRegion(painter, true);
    // (60..540) × 96 / 254, rounded: (23..204).
    const QRect box = region.boundingRect();
    EXPECT_NEAR(box.left(), 23, 1);
    EXPECT_NEAR(box.top(), 23, 1);
    EXPECT_NEAR(box.left() + box.width(), 204, 1);
    EXPECT_NEAR(box.top() + box.height(), 204, 1);
    EXPECT_FALSE(region.contains(QPoint(113, 113)));            // the hole
    EXPECT_TRUE(region.contains(QPoint(113, 50)));
}

TEST(FaceRendering, LandscapeSheetTurnsFacesAndHoles) {
    TMatrixPaperInfo paper;
    paper.setPhysicalSize(600, 900);
    paper.setLandscape(true);
    paper.setLeftOffset(30);
    paper.setTopOffset(30);
    paper.setFaceWidth(250);
    paper.setFaceHeight(250);
    paper.setRightMargin(30);
    paper.setBottomMargin(30);
    paper.setFaceCountX(2);
    paper.setFaceCountY(3);
    paper.setFaceShape(fsRectCD);
    paper.setRoundSize(60);
    paper.setCutCenterWidth(200);  // wide in portrait, tall once turned
    paper.setCutCenterHeight(60);
    ASSERT_EQ(paper.width(), 900);
    ASSERT_EQ(paper.height(), 600);
    Sheet sheet(paper.width(), paper.height());
    sheet.draw([&](QPainter& p) {
        for (int i = 0; i < paper.getFaceCount(); ++i) paper.getFaceInfo(i).drawOutline(p);
    });
    sheet.keep(QStringLiteral("landscape-sheet"));
    // Face 0 (portrait top-left) lands bottom-left: (30, 320, 280, 570); face 1 above it.
    EXPECT_TRUE(sheet.inked(40, 445));
    EXPECT_TRUE(sheet.inked(40, 165));
    EXPECT_FALSE(sheet.inked(155, 445));  // hole centre
    EXPECT_FALSE(sheet.inked(155, 365));  // the turned hole is tall …
    EXPECT_TRUE(sheet.inked(105, 445));   // … and narrow
    EXPECT_FALSE(sheet.inked(295, 445));  // the gap between rows
    EXPECT_TRUE(sheet.inked(600, 165));   // face 5 (portrait bottom-right) is top-right
    EXPECT_FALSE(sheet.inked(715, 165));  // with its hole
    EXPECT_FALSE(sheet.inked(870, 300));
    EXPECT_FALSE(sheet.inked(450, 10));
}

}  // namespace
}  // namespace poremi
