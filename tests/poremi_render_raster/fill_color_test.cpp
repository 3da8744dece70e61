// The fill specification: what it streams, legacy properties of older documents, change
// notification, and the stop list's limits.

#include "render/raster/bmp_reader.h"
#include "render/raster/fill_color.h"
#include "tests/poremi_render_raster/picture_holder.h"

#include <QtGui/QPainter>
#include <gtest/gtest.h>

using namespace poremi;
using namespace poremi::test;

namespace {

QImage solidPicture(int w, int h, QRgb color)
{
    QImage image(w, h, QImage::Format_BGR888);
    image.fill(QColor::fromRgb(color));
    return image;
}

void givePicture(TImageData& data, const QImage& image)
{
    data.picture().setGraphic(std::make_unique<TBitmapGraphic>(TSafetyBitmap(image)));
}

QRgb paintedPixel(const TColorSpec& spec)
{
    QImage target(4, 4, QImage::Format_RGB32);
    target.fill(qRgb(1, 2, 3));
    QPainter painter(&target);
    spec.paint(painter, QRect(0, 0, 4, 4));
    painter.end();
    return target.pixel(1, 1);
}

}  // namespace

TEST(ColorSpec, DefaultPaintsSolidBlackAndStreamsNothing)
{
    TPictureHolder holder;
    EXPECT_EQ(paintedPixel(holder.fill()), qRgb(0, 0, 0));
    EXPECT_FALSE(streamOf(holder).contains("Fill."));
    EXPECT_TRUE(holder.fill().isPlainSolid());
}

TEST(ColorSpec, BitmapKindWithoutPictureIsSolidAndPaintsNothing)
{
    TPictureHolder holder;
    holder.fill().setKind(TColorSpecKind::cskBitmap);
    EXPECT_EQ(holder.fill().kind(), TColorSpecKind::cskSolid);
    EXPECT_FALSE(streamOf(holder).contains("Fill.Kind"));
    EXPECT_EQ(paintedPixel(holder.fill()), qRgb(1, 2, 3));
    givePicture(holder.fill().imageData(), solidPicture(2, 2, qRgb(9, 8, 7)));
    EXPECT_EQ(holder.fill().kind(), TColorSpecKind::cskBitmap);
    EXPECT_EQ(paintedPixel(holder.fill()), qRgb(9, 8, 7));
}

TEST(ColorSpec, StreamsAndReadsEveryProperty)
{
    TPictureHolder holder;
    TColorSpec& fill = holder.fill();
    fill.setColor(0x123456);
    fill.setStyle(TBrushStyle::bsDiagCross);
    fill.setKind(TColorSpecKind::cskGradation);
    fill.setGradAngle(45);
    fill.setGradKind(GradationKind::rgkConeClockwise);
    fill.gradColors().setColors({0x0000FF, 0x00FF00, 0xFF0000});
    fill.gradColors().setRepeatCount(3);
    fill.setTile(true);
    fill.setTileShift(true);
    const QByteArray stream = streamOf(holder);
    EXPECT_TRUE(stream.contains("Fill.GradColors.Colors"));
    const auto back = holderFrom(stream);
    const TColorSpec& read = back->fill();
    EXPECT_EQ(read.color(), 0x123456);
    EXPECT_EQ(read.style(), TBrushStyle::bsDiagCross);
    EXPECT_EQ(read.kind(), TColorSpecKind::cskGradation);
    EXPECT_EQ(read.gradAngle(), 45);
    EXPECT_EQ(read.gradKind(), GradationKind::rgkConeClockwise);
    EXPECT_EQ(read.gradColors().colors(), (QList<TColor>{0x0000FF, 0x00FF00, 0xFF0000}));
    EXPECT_EQ(read.gradColors().repeatCount(), 3);
    EXPECT_TRUE(read.tile());
    EXPECT_TRUE(read.tileShift());
    EXPECT_EQ(streamOf(*back), stream);

    fill.gradColors().setColors({0xFFFFFF, 0x000000});
    EXPECT_FALSE(streamOf(holder).contains("GradColors.Colors"));
}

TEST(ColorSpec, LegacyPropertiesOfOlderDocuments)
{
    const QByteArray bmp = writeBmp(solidPicture(3, 2, qRgb(50, 60, 70)));
    QByteArray bitmapData(4, '\0');
    bitmapData[0] = char(bmp.size() & 0xFF);
    bitmapData[1] = char((bmp.size() >> 8) & 0xFF);
    bitmapData += bmp;
    const QByteArray stream = StreamBuilder()
                                  .name("Fill.Bitmap.Data").binary(bitmapData)
                                  .name("Fill.Kind").ident("cskGradation")
                                  .name("Fill.GradDir").ident("rgdCenterToRim")
                                  .name("Fill.GradColNum").int8(3)
                                  .name("Fill.GradColor2").int32(0x00FF00)
                                  .name("Fill.GradColor5").int32(0x0000FF)
                                  .finish();
    const auto holder = holderFrom(stream);
    const TColorSpec& fill = holder->fill();
    EXPECT_EQ(fill.gradKind(), GradationKind::rgkBoxToRim);
    EXPECT_EQ(fill.gradAngle(), 0);
    EXPECT_EQ(fill.gradDir(), rgGradationDir::rgdCenterToRim);
    EXPECT_EQ(fill.gradColors().colors(), (QList<TColor>{0xFFFFFF, 0x000000, 0x00FF00}));
    EXPECT_EQ(fill.imageData().picture().width(), 3);
    // None of them is written back.
    const QByteArray again = streamOf(*holder);
    EXPECT_FALSE(again.contains("GradDir"));
    EXPECT_FALSE(again.contains("GradColNum"));
    EXPECT_FALSE(again.contains("Fill.Bitmap"));
}

TEST(ColorSpec, GradDirMapsBothWays)
{
    struct Row {
        rgGradationDir dir;
        GradationKind kind;
        int angle;
    };
    const Row rows[] = {
        {rgGradationDir::rgdLeftToRight, GradationKind::rgkSimple, 270},
        {rgGradationDir::rgdRightToLeft, GradationKind::rgkSimple, 90},
        {rgGradationDir::rgdTopToBottom, GradationKind::rgkSimple, 0},
        {rgGradationDir::rgdBottomToTop, GradationKind::rgkSimple, 180},
        {rgGradationDir::rgdLeftTopToRightBottom, GradationKind::rgkSimple, 315},
        {rgGradationDir::rgdRightTopToLeftBottom, GradationKind::rgkSimple, 45},
        {rgGradationDir::rgdRightBottomToLeftTop, GradationKind::rgkSimple, 135},
        {rgGradationDir::rgdLeftBottomToRightTop, GradationKind::rgkSimple, 225},
        {rgGradationDir::rgdCenterToRim, GradationKind::rgkBoxToRim, 0},
        {rgGradationDir::rgdRimToCenter, GradationKind::rgkBoxToCenter, 0},
    };
    for (const Row& row : rows) {
        TColorSpec spec;
        spec.setGradDir(row.dir);
        EXPECT_EQ(spec.gradKind(), row.kind);
        EXPECT_EQ(spec.gradAngle(), row.angle);
        EXPECT_EQ(spec.gradDir(), row.dir);
    }
    TColorSpec odd;
    odd.setGradAngle(10);
    EXPECT_EQ(odd.gradDir(), rgGradationDir::rgdTopToBottom);
}

TEST(ColorSpec, HostileStopListsAreRefused)
{
    QByteArray colors(4, '\0');
    colors[3] = char(0x40);  // a count of 2^30 with no colours behind it
    const QByteArray stream = StreamBuilder().name("Fill.GradColors.Colors").binary(colors).finish();
    EXPECT_THROW(holderFrom(stream), Exception);
    QByteArray negative(4, char(0xFF));
    EXPECT_THROW(holderFrom(StreamBuilder().name("Fill.GradColors.Colors").binary(negative).finish()), Exception);
}

TEST(GradationColors, CountItemsAndExpansion)
{
    TGradationColors colors;
    EXPECT_EQ(colors.colors(), (QList<TColor>{0xFFFFFF, 0}));
    colors.setCount(3);
    EXPECT_EQ(colors.item(2), 0);
    EXPECT_THROW(colors.item(3), Exception);
    colors.setItem(7, 0x123456);  // ignored
    colors.setItem(2, 0x00FF00);
    EXPECT_EQ(colors.expanded(), (QList<TColor>{0xFFFFFF, 0, 0x00FF00}));
    colors.setRepeatCount(2);
    EXPECT_EQ(colors.expanded().size(), 6);
    EXPECT_EQ(colors.expanded()[4], 0);
    for (int repeat : {0, -5}) {
        colors.setRepeatCount(repeat);
        EXPECT_EQ(colors.expanded().size(), 3);
    }
    colors.setRepeatCount(1000000);
    EXPECT_EQ(colors.expanded().size(), 256);
}

TEST(ColorSpec, EmptyStopListPaintsTheSolidColour)
{
    TColorSpec spec;
    spec.setKind(TColorSpecKind::cskGradation);
    spec.setColor(0x0000FF);
    spec.gradColors().setCount(0);
    EXPECT_EQ(paintedPixel(spec), qRgb(255, 0, 0));
}

TEST(ColorSpec, ChangesNotifyOnceAndSameValuesNotAtAll)
{
    TColorSpec spec;
    int changes = 0;
    spec.OnChange = [&] { ++changes; };
    spec.setColor(0);
    spec.setGradAngle(270);
    EXPECT_EQ(changes, 0);
    spec.setColor(5);
    EXPECT_EQ(changes, 1);
    spec.gradColors().setItem(0, 0x00FF00);
    EXPECT_EQ(changes, 2);
    TColorSpec source;
    source.setKind(TColorSpecKind::cskGradation);
    source.setGradAngle(90);
    source.setGradKind(GradationKind::rgkCircleToRim);
    source.gradColors().setColors({1, 2, 3});
    source.setStyle(TBrushStyle::bsCross);
    changes = 0;
    spec.assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(spec.gradAngle(), 90);
    EXPECT_EQ(spec.gradColors().colors(), (QList<TColor>{1, 2, 3}));

    // Gradient settings are copied only for gradient fills.
    TColorSpec solid;
    solid.setGradAngle(10);
    TColorSpec target;
    target.assign(solid);
    EXPECT_EQ(target.gradAngle(), 270);
}

TEST(ImageData, ClipResetsWhenEitherSideOfThePictureChanges)
{
    TImageData data;
    int sizeChanges = 0;
    data.OnSizeChanged = [&] { ++sizeChanges; };
    givePicture(data, solidPicture(10, 10, qRgb(1, 1, 1)));
    EXPECT_EQ(data.clipFilter().clipRect(), (TRect{0, 0, 10, 10}));
    data.clipFilter().setClipRect(TRect{2, 2, 5, 5});
    givePicture(data, solidPicture(10, 20, qRgb(1, 1, 1)));  // same width, new height
    EXPECT_EQ(data.clipFilter().clipRect(), (TRect{0, 0, 10, 20}));
    EXPECT_EQ(sizeChanges, 2);
    data.clipFilter().setClipRect(TRect{1, 1, 4, 4});
    givePicture(data, solidPicture(10, 20, qRgb(2, 2, 2)));  // same size keeps the clip
    EXPECT_EQ(data.clipFilter().clipRect(), (TRect{1, 1, 4, 4}));
}

TEST(ImageData, ReadingKeepsTheStoredClip)
{
    TPictureHolder holder;
    givePicture(holder.fill().imageData(), solidPicture(8, 6, qRgb(1, 1, 1)));
    holder.fill().setKind(TColorSpecKind::cskBitmap);
    holder.fill().imageData().clipFilter().setClipRect(TRect{});
    const QByteArray stream = streamOf(holder);
    EXPECT_FALSE(stream.contains("ClipRect"));
    const auto back = holderFrom(stream);
    EXPECT_TRUE(back->fill().imageData().clipFilter().clipRect().isEmpty());
    EXPECT_EQ(streamOf(*back), stream);
}

TEST(ImageData, ProcessedPictureIsCutMadeTransparentAndCached)
{
    TImageData data;
    QImage image = solidPicture(4, 4, qRgb(200, 0, 0));
    image.setPixel(1, 1, qRgb(255, 255, 255));
    givePicture(data, image);
    data.clipFilter().setClipRect(TRect{1, 1, 6, 3});  // reaches beyond the picture
    data.setTransparentColor(0xFFFFFF);
    const auto* processed = dynamic_cast<const TBitmapGraphic*>(data.processedPicture());
    ASSERT_TRUE(processed);
    EXPECT_EQ(processed->size(), QSize(5, 2));
    const TSafetyBitmap& bitmap = processed->bitmap();
    EXPECT_TRUE(bitmap.transparent());
    EXPECT_EQ(bitmap.mask().pixelIndex(0, 0), 1);  // the white pixel
    EXPECT_EQ(bitmap.mask().pixelIndex(1, 0), 0);
    EXPECT_EQ(bitmap.mask().pixelIndex(4, 0), 1);  // outside the picture: the transparent colour
    EXPECT_TRUE(data.hasProcessedPicture());

    int changes = 0;
    data.notifier().addListener([&] { ++changes; });
    data.setTransparentColor(0xFFFFFF);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(data.hasProcessedPicture());
    data.blurFilter().setBlurCount(2);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(data.hasProcessedPicture());
}
