// Hatches, tiles, stretched pictures, nearest-neighbour drawing and colour-key transparency,
// pixel by pixel.

#include "render/geometry/scaler.h"
#include "render/raster/dib.h"
#include "render/raster/fill_color.h"
#include "render/raster/graphic.h"
#include "render/raster/hatch.h"
#include "render/raster/pixel_layout.h"
#include "render/raster/safety_bitmap.h"

#include <QtGui/QPaintEngine>
#include <QtGui/QPainter>
#include <QtGui/QPicture>
#include <gtest/gtest.h>

using namespace poremi;

namespace {

QImage canvas(int w, int h, QRgb fill, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(w, h, format);
    image.fill(QColor::fromRgb(fill));
    image.setDotsPerMeterX(3780);  // 96 dpi
    image.setDotsPerMeterY(3780);
    return image;
}

// A 2 × 2 picture: red, green / blue, white.
QImage quadPicture()
{
    QImage image = createWorkBitmap(2, 2);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(0, 1, qRgb(0, 0, 255));
    image.setPixel(1, 1, qRgb(255, 255, 255));
    return image;
}

// A paint device that only counts the drawing calls that reach it.
class CountingEngine : public QPaintEngine {
public:
    CountingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++calls; }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override { ++calls; }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override { ++calls; }
    void drawRects(const QRect*, int count) override { calls += count; }
    void drawRects(const QRectF*, int count) override { calls += count; }
    void drawPath(const QPainterPath&) override { ++calls; }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { ++calls; }
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override { ++calls; }
    Type type() const override { return QPaintEngine::User; }

    long long calls = 0;
};

class CountingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine_; }
    long long calls() const { return engine_.calls; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight: return 1200;
        case PdmWidthMM:
        case PdmHeightMM: return 120;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 254;
        case PdmDepth: return 32;
        case PdmNumColors: return 0x7FFFFFFF;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    mutable CountingEngine engine_;
};

}  // namespace

TEST(Hatch, LinesAreEightDevicePixelsApartAtEveryZoom)
{
    for (int zoom : {25, 50, 75, 100, 150, 200, 400})
        for (TBrushStyle style : {TBrushStyle::bsHorizontal, TBrushStyle::bsVertical, TBrushStyle::bsFDiagonal,
                                  TBrushStyle::bsBDiagonal, TBrushStyle::bsCross, TBrushStyle::bsDiagCross}) {
            QImage target = canvas(64, 48, qRgb(255, 255, 255));
            QPainter painter(&target);
            TScaler scaler;
            scaler.setUnitDpi(254);
            scaler.setScale(zoom);
            scaler.prepareCanvas(painter);
            paintHatch(painter, QRect(0, 0, 5000, 5000), style, qRgb(0, 0, 0));
            painter.end();
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 64; ++x)
                    ASSERT_EQ(target.pixel(x, y) == qRgb(0, 0, 0), isHatchPixel(style, x, y))
                        << zoom << "% style " << int(style) << " at " << x << "," << y;
        }
}

TEST(Hatch, ColorSpecPaintsHatchOverTheBackgroundAndRestoresThePainter)
{
    TColorSpec spec;
    spec.setColor(0x0000FF);  // red
    spec.setStyle(TBrushStyle::bsCross);
    QImage target = canvas(16, 16, qRgb(0, 255, 0));
    QPainter painter(&target);
    painter.setPen(QPen(Qt::blue));
    spec.paint(painter, QRect(0, 0, 16, 16));
    EXPECT_EQ(painter.pen().color(), QColor(Qt::blue));
    painter.end();
    EXPECT_EQ(target.pixel(0, 3), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(3, 3), qRgb(0, 255, 0));
    EXPECT_EQ(target.pixel(8, 5), qRgb(255, 0, 0));
}

TEST(Tiles, RowsStartAtTheCornerAndAlternateRowsShiftByHalfATile)
{
    // Every pixel of the tile has its own colour, so each target pixel names the tile pixel
    // painted there. Odd rows start (width + 1) div 2 to the left: −2 for width 4, −3 for 5.
    for (const QSize tileSize : {QSize(4, 3), QSize(5, 2)})
        for (const bool shift : {false, true}) {
            SCOPED_TRACE(testing::Message() << tileSize.width() << "x" << tileSize.height() << " shift " << shift);
            QImage tile = createWorkBitmap(tileSize.width(), tileSize.height());
            for (int y = 0; y < tile.height(); ++y)
                for (int x = 0; x < tile.width(); ++x)
                    tile.setPixel(x, y, qRgb(40 * x, 60 * y, 7));
            TColorSpec spec;
            spec.imageData().picture().setGraphic(std::make_unique<TBitmapGraphic>(TSafetyBitmap(tile)));
            spec.setKind(TColorSpecKind::cskBitmap);
            spec.setTile(true);
            spec.setTileShift(shift);
            QImage target = canvas(13, 9, qRgb(1, 2, 3));
            QPainter painter(&target);
            spec.paint(painter, QRect(2, 1, 10, 7));
            painter.end();
            const int w = tileSize.width(), h = tileSize.height();
            for (int y = 0; y < 9; ++y)
                for (int x = 0; x < 13; ++x) {
                    QRgb expected = qRgb(1, 2, 3);  // outside the rectangle nothing is painted
                    if (x >= 2 && x < 12 && y >= 1 && y < 8) {
                        const int row = (y - 1) / h;
                        const int start = (shift && row % 2 == 1) ? -(w + 1) / 2 : 0;
                        expected = tile.pixel((x - 2 - start) % w, (y - 1) % h);
                    }
                    ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
                }
        }
}

TEST(Tiles, OneTextureWhateverTheNumberOfTiles)
{
    // A 1 × 1 tile over a disc label at print resolution (120 mm in 0.1 mm units): drawn tile
    // by tile that would be 1.44 million drawing calls.
    QImage dot = createWorkBitmap(1, 1);
    dot.setPixel(0, 0, qRgb(200, 10, 10));
    TColorSpec spec;
    spec.imageData().picture().setGraphic(std::make_unique<TBitmapGraphic>(TSafetyBitmap(dot)));
    spec.setKind(TColorSpecKind::cskBitmap);
    spec.setTile(true);
    spec.setTileShift(true);
    CountingDevice device;
    QPainter painter(&device);
    spec.paint(painter, QRect(0, 0, 1200, 1200));
    painter.end();
    EXPECT_GE(device.calls(), 1);
    EXPECT_LE(device.calls(), 4);

    QImage target = canvas(1200, 1200, qRgb(0, 0, 0));
    QPainter raster(&target);
    spec.paint(raster, QRect(0, 0, 1200, 1200));
    raster.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(200, 10, 10));
    EXPECT_EQ(target.pixel(1199, 1199), qRgb(200, 10, 10));
}

TEST(Tiles, TransparentPixelsOfATiledBitmapKeepTheBackground)
{
    TColorSpec spec;
    spec.imageData().picture().setGraphic(std::make_unique<TBitmapGraphic>(TSafetyBitmap(quadPicture())));
    spec.imageData().setTransparentColor(0xFFFFFF);  // the white pixel
    spec.setKind(TColorSpecKind::cskBitmap);
    spec.setTile(true);
    QImage target = canvas(4, 4, qRgb(10, 20, 30));
    QPainter painter(&target);
    spec.paint(painter, QRect(0, 0, 4, 4));
    painter.end();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const QRgb source = quadPicture().pixel(x % 2, y % 2);
            ASSERT_EQ(target.pixel(x, y), source == qRgb(255, 255, 255) ? qRgb(10, 20, 30) : source) << x << "," << y;
        }
}

TEST(Tiles, TiledPictureFillIsPixelExact)
{
    TColorSpec spec;
    spec.imageData().picture().setGraphic(std::make_unique<TBitmapGraphic>(TSafetyBitmap(quadPicture())));
    spec.setKind(TColorSpecKind::cskBitmap);
    spec.setTile(true);
    spec.setTileShift(true);
    QImage target = canvas(7, 6, qRgb(9, 9, 9));
    QPainter painter(&target);
    spec.paint(painter, QRect(0, 0, 7, 6));
    painter.end();
    const QImage picture = quadPicture();
    for (int y = 0; y < 6; ++y) {
        const int shift = (y / 2) % 2 == 1 ? 1 : 0;  // odd rows start one pixel to the left
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(target.pixel(x, y), picture.pixel((x + shift) % 2, y % 2)) << x << "," << y;
    }
}

TEST(Stretch, PictureFillAndTdibSampleThePixelUnderEachCentre)
{
    EXPECT_EQ(nearestSourceIndex(0, 4, 0, 8), 0);
    const int up[] = {0, 0, 1, 1, 2, 2, 3, 3};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(nearestSourceIndex(0, 4, i, 8), up[i]);
    const int down[] = {1, 3, 5, 7};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(nearestSourceIndex(0, 8, i, 4), down[i]);

    QImage row = createWorkBitmap(8, 1);
    for (int x = 0; x < 8; ++x)
        row.setPixel(x, 0, qRgb(x * 30, 0, 0));
    QImage target = canvas(4, 1, 0);
    QPainter painter(&target);
    TDIB(row).draw(painter, QRect(0, 0, 4, 1));
    painter.end();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(qRed(target.pixel(i, 0)), down[i] * 30);

    TColorSpec spec;
    spec.imageData().picture().setGraphic(std::make_unique<TBitmapGraphic>(TSafetyBitmap(quadPicture())));
    spec.setKind(TColorSpecKind::cskBitmap);
    QImage stretched = canvas(8, 8, 0);
    QPainter p2(&stretched);
    p2.scale(2, 2);  // logical 4 × 4 becomes 8 × 8 device pixels
    spec.paint(p2, QRect(0, 0, 4, 4));
    p2.end();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(stretched.pixel(x, y), quadPicture().pixel(x / 4, y / 4));
}

TEST(ColorKey, RasterTargetsKeepTheDestinationUnderTransparentPixels)
{
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_BGR888, QImage::Format_ARGB32_Premultiplied}) {
        TSafetyBitmap bitmap(quadPicture());
        bitmap.setTransparentColor(0xFFFFFF);  // white
        bitmap.setTransparent(true);
        QImage target = canvas(4, 4, qRgb(10, 20, 30), format);
        QPainter painter(&target);
        bitmap.draw(painter, QRect(0, 0, 4, 4));
        painter.end();
        EXPECT_EQ(target.pixel(0, 0), qRgb(255, 0, 0)) << format;
        EXPECT_EQ(target.pixel(3, 0), qRgb(0, 255, 0));
        EXPECT_EQ(target.pixel(1, 3), qRgb(0, 0, 255));
        EXPECT_EQ(target.pixel(3, 3), qRgb(10, 20, 30));
    }
}

TEST(ColorKey, MaskComparesPaletteIndicesOfEightBitBitmaps)
{
    QImage indexed(3, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 0, 255), qRgb(255, 0, 255)});
    indexed.setPixel(0, 0, 1);
    indexed.setPixel(1, 0, 2);  // the same colour under another index stays opaque
    indexed.setPixel(2, 0, 0);
    const QImage mask = buildTransparencyMask(indexed, 0xFF00FF);
    EXPECT_EQ(mask.pixelIndex(0, 0), 1);
    EXPECT_EQ(mask.pixelIndex(1, 0), 0);
    EXPECT_EQ(mask.pixelIndex(2, 0), 0);

    // A transparent colour missing from the palette draws fully opaque.
    TSafetyBitmap bitmap(indexed);
    bitmap.setTransparentColor(0x00FF00);
    bitmap.setTransparent(true);
    QImage target = canvas(3, 1, qRgb(1, 1, 1));
    QPainter painter(&target);
    bitmap.draw(painter, QRect(0, 0, 3, 1));
    painter.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(255, 0, 255));
    EXPECT_EQ(target.pixel(2, 0), qRgb(0, 0, 0));
}

TEST(ColorKey, MaskIsRebuiltOnlyWhenStaleAndCopiedOnAssign)
{
    TSafetyBitmap bitmap(quadPicture());
    bitmap.setTransparentColor(0xFFFFFF);
    const QImage first = bitmap.mask();
    EXPECT_FALSE(bitmap.maskedImage().isMaskStale());
    TSafetyBitmap copy;
    copy.assign(bitmap);
    EXPECT_TRUE(copy.sameImage(bitmap));
    EXPECT_FALSE(copy.maskedImage().isMaskStale());
    bitmap.editImage().setPixel(0, 0, qRgb(255, 255, 255));
    EXPECT_TRUE(bitmap.maskedImage().isMaskStale());
    EXPECT_EQ(bitmap.mask().pixelIndex(0, 0), 1);
    EXPECT_EQ(first.pixelIndex(0, 0), 0);
}

TEST(ColorKey, VectorTargetsGetAnAlphaChannelWithTheSameResult)
{
    TSafetyBitmap bitmap(quadPicture());
    bitmap.setTransparentColor(0xFFFFFF);
    bitmap.setTransparent(true);
    QPicture recording;
    {
        QPainter painter(&recording);
        bitmap.draw(painter, QRect(0, 0, 4, 4));
    }
    QImage target = canvas(4, 4, qRgb(10, 20, 30));
    QPainter painter(&target);
    painter.drawPicture(0, 0, recording);
    painter.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(3, 3), qRgb(10, 20, 30));
}
