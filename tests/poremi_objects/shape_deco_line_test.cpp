// Decorated rules: tiles along the rule at the pattern's proportions, the transparent colour,
// the rule turned with its line, sizes from the pattern, and rules too large to paint.

#include "document/model/document_model_classes.h"
#include "objects/object_classes.h"
#include "objects/shape_deco_line.h"
#include "render/raster/raster_classes.h"
#include "tests/poremi_objects/shape_canvas.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);

class ShapeDecoLine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerRasterClasses();
        registerDocumentModelClasses();
        registerObjectClasses();
    }

    // 90 × 30 pixels: the left half red, the right half blue, a transparent middle row band.
    static void setPattern(TLODecoLine& rule, bool transparentBand = false) {
        QImage pattern(90, 30, QImage::Format_RGB32);
        pattern.fill(kBlue);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 45; ++x) pattern.setPixel(x, y, kRed);
        if (transparentBand)
            for (int y = 12; y < 18; ++y)
                for (int x = 0; x < 90; ++x) pattern.setPixel(x, y, qRgb(240, 240, 240));
        TPicture picture;
        picture.setGraphic(TEncodedGraphic::pngFromImage(pattern));
        rule.setImage(picture);
    }
};

TEST_F(ShapeDecoLine, tilesAtThePatternsProportionsAlongTheRule) {
    TLODecoLine rule;
    setPattern(rule);
    rule.setPoints({100, 100}, {700, 100});  // 60 mm
    rule.setLineWidth(50);                   // 5 mm
    EXPECT_EQ(rule.tileCount(), 4);          // (600 × 30) div (90 × 50)
    const QImage image = test::paintedAt254Dpi(rule, {800, 200});
    for (int tile = 0; tile < 4; ++tile) {
        const int left = 100 + 150 * tile;
        SCOPED_TRACE(tile);
        EXPECT_EQ(image.pixel(left + 5, 100), kRed);
        EXPECT_EQ(image.pixel(left + 70, 100), kRed);
        EXPECT_EQ(image.pixel(left + 80, 100), kBlue);
        EXPECT_EQ(image.pixel(left + 144, 100), kBlue);
    }
    EXPECT_EQ(image.pixel(400, 80), kRed);
    EXPECT_EQ(image.pixel(400, 65), qRgb(255, 255, 255));
    test::keepSample(image, QStringLiteral("shape_deco_line"));
}

TEST_F(ShapeDecoLine, thePatternsPaleGreyIsNotPainted) {
    TLODecoLine rule;
    setPattern(rule, true);
    rule.setPoints({100, 100}, {700, 100});
    rule.setLineWidth(60);
    const QImage image = test::paintedAt254Dpi(rule, {800, 200});
    EXPECT_EQ(image.pixel(110, 100), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(110, 80), kRed);
    EXPECT_EQ(image.pixel(110, 120), kRed);
}

TEST_F(ShapeDecoLine, aTurnedRuleRunsAlongItsLine) {
    TLODecoLine rule;
    setPattern(rule);
    rule.setPoints({100, 700}, {100, 100});  // upwards: the tiles start at the bottom
    rule.setLineWidth(50);
    const QImage image = test::paintedAt254Dpi(rule, {200, 800});
    EXPECT_EQ(image.pixel(100, 695), kRed);
    EXPECT_EQ(image.pixel(100, 560), kBlue);
    EXPECT_EQ(image.pixel(100, 545), kRed);
    EXPECT_EQ(image.pixel(60, 400), qRgb(255, 255, 255));
    test::keepSample(image, QStringLiteral("shape_deco_line_upwards"));
}

TEST_F(ShapeDecoLine, sizedFromThePatternItIsSixTilesAtNaturalSize) {
    TLODecoLine rule;
    setPattern(rule);
    rule.sizeFromPattern();
    EXPECT_EQ(rule.startPoint(), QPoint(0, 0));
    EXPECT_EQ(rule.endPoint(), QPoint(6 * 127, 0));  // 90 px at 180 dpi
    EXPECT_EQ(rule.lineWidth(), 42);
    EXPECT_EQ(rule.tileCount(), 6);
}

TEST_F(ShapeDecoLine, widthsBelowOneBecomeOneAndChangesRedrawTheRule) {
    TLODecoLine rule;
    setPattern(rule);
    rule.setPoints({0, 0}, {300, 0});
    rule.setLineWidth(0);
    EXPECT_EQ(rule.lineWidth(), 1);
    rule.setLineWidth(30);
    const QSize before = rule.rendering().size();
    rule.setEndPoint({600, 0});
    EXPECT_GT(rule.rendering().width(), before.width());
    rule.setLineWidth(60);
    EXPECT_GT(rule.rendering().height(), before.height());
}

TEST_F(ShapeDecoLine, aRuleTooLargeOrWithoutPatternPaintsNothing) {
    TLODecoLine rule;
    rule.setPoints({0, 0}, {300, 0});
    EXPECT_TRUE(rule.rendering().isNull());
    setPattern(rule);
    rule.setPoints({0, 0}, {2000000000, 0});
    rule.setLineWidth(1000000);
    EXPECT_TRUE(rule.rendering().isNull());
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    EXPECT_NO_THROW(rule.paintTo(painter));
}

TEST_F(ShapeDecoLine, aTallNarrowPatternOnAThinRuleMakesAtMostOneTileAUnit) {
    TLODecoLine rule;
    QImage pattern(2, 2000, QImage::Format_RGB32);
    pattern.fill(kRed);
    TPicture picture;
    picture.setGraphic(TEncodedGraphic::pngFromImage(pattern));
    rule.setImage(picture);
    rule.setPoints({0, 10}, {300, 10});
    rule.setLineWidth(1);
    EXPECT_EQ(rule.tileCount(), 300);  // not 300 × 2000 div 2
    EXPECT_EQ(rule.rendering().pixel(150, 2), kRed);
}

TEST_F(ShapeDecoLine, thePatternAndPointsSurviveAStream) {
    TLODecoLine rule;
    setPattern(rule);
    rule.setPoints({5, 6}, {605, 206});
    rule.setLineWidth(44);
    const QByteArray bytes = test::streamOf(rule);
    const std::unique_ptr<TComponent> read = test::readStream(bytes);
    const auto* copy = dynamic_cast<const TLODecoLine*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->image().data(), rule.image().data());
    EXPECT_EQ(copy->endPoint(), QPoint(605, 206));
    EXPECT_EQ(copy->lineWidth(), 44);
    EXPECT_EQ(copy->rendering(), rule.rendering());
    EXPECT_EQ(dumpComponentStream(test::streamOf(*copy)), dumpComponentStream(bytes));
}

}  // namespace
}  // namespace poremi
