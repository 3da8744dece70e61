// Pictures of every format through picture data and component streams, byte for byte, and the
// picture data reader's refusal of broken data.

#include "base/error.h"
#include "render/raster/bmp_reader.h"
#include "render/raster/cbm.h"
#include "render/raster/graphic.h"
#include "render/raster/picture_codecs.h"
#include "tests/poremi_render_raster/picture_holder.h"

#include <gtest/gtest.h>

using namespace poremi;
using namespace poremi::test;

namespace {

// The classic 1 × 1 GIF with a transparent index.
const QByteArray tinyGif = QByteArray::fromHex(
    "47494638396101000100800000000000ffffff21f90401000000002c000000000100010000020144003b");

QByteArray minimalEmf()
{
    QByteArray emf(108, '\0');
    emf[0] = 1;                            // EMR_HEADER
    emf[4] = 108;                          // record size
    emf[16] = 9;                           // bounds right
    emf[20] = 4;                           // bounds bottom
    emf.replace(40, 4, " EMF");
    return emf;
}

struct Sample {
    const char* name;
    QByteArray data;
    QSize size;
};

std::vector<Sample> samples()
{
    const QByteArray bmp = writeBmp(samplePhoto());
    return {
        {"TBitmap BMP", pictureData("TBitmap", lengthPrefixed(bmp)), {16, 12}},
        {"TSafetyBitmap CBM", pictureData("TSafetyBitmap", lengthPrefixed(deflateToCbm(bmp))), {16, 12}},
        {"TJPEGImage", pictureData("TJPEGImage", lengthPrefixed(encodeJpeg(samplePhoto()))), {16, 12}},
        {"TPNGObject", pictureData("TPNGObject", encodePng(samplePhoto())), {16, 12}},
        {"TGIFImage", pictureData("TGIFImage", tinyGif), {1, 1}},
        {"TMetafile", pictureData("TMetafile", lengthPrefixed(minimalEmf(), 4)), {10, 5}},
    };
}

}  // namespace

TEST(PictureData, EveryFormatRoundTripsByteForByte)
{
    for (const Sample& s : samples()) {
        SCOPED_TRACE(s.name);
        const auto graphic = readPictureData(s.data);
        ASSERT_TRUE(graphic);
        EXPECT_EQ(graphic->size(), s.size);
        EXPECT_EQ(writePictureData(*graphic), s.data);
        EXPECT_EQ(writePictureData(*graphic->clone()), s.data);
    }
}

TEST(PictureData, ThroughComponentStreams)
{
    for (const Sample& s : samples()) {
        SCOPED_TRACE(s.name);
        TPictureHolder holder;
        holder.picture().setData(s.data);
        const QByteArray stream = streamOf(holder);
        EXPECT_TRUE(stream.contains("\x0cPicture.Data"));
        const auto back = holderFrom(stream);
        EXPECT_EQ(back->picture().data(), s.data);
        EXPECT_EQ(streamOf(*back), stream);
    }
    TPictureHolder empty;
    EXPECT_FALSE(streamOf(empty).contains("Picture.Data"));
}

TEST(PictureData, DecodedPixelsMatchTheSource)
{
    const auto bitmap = readPictureData(samples()[1].data);
    EXPECT_EQ(bitmap->image().convertToFormat(QImage::Format_RGB32), samplePhoto().convertToFormat(QImage::Format_RGB32));
    const auto png = readPictureData(samples()[3].data);
    EXPECT_EQ(png->image().convertToFormat(QImage::Format_RGB32), samplePhoto().convertToFormat(QImage::Format_RGB32));
    const auto gif = readPictureData(samples()[4].data);
    EXPECT_EQ(qAlpha(gif->image().pixel(0, 0)), 0);
}

TEST(PictureData, NewPicturesAreWrittenUnderTheirClassNames)
{
    TBitmapGraphic bitmap{TSafetyBitmap(samplePhoto())};
    const QByteArray data = writePictureData(bitmap);
    EXPECT_TRUE(data.startsWith("\x0dTSafetyBitmap"));
    EXPECT_EQ(readPictureData(data)->image().convertToFormat(QImage::Format_RGB32),
              samplePhoto().convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(writePictureData(*TEncodedGraphic::jpegFromImage(samplePhoto())).startsWith("\x0aTJPEGImage"));
    EXPECT_TRUE(writePictureData(*TEncodedGraphic::pngFromImage(samplePhoto())).startsWith("\x0aTPNGObject"));
}

TEST(PictureData, JpegDecodesAtReducedScale)
{
    QImage big(64, 48, QImage::Format_BGR888);
    big.fill(QColor(200, 100, 50));
    TEncodedGraphic jpeg(GraphicFormat::Jpeg, encodeJpeg(big), QStringLiteral("TJPEGImage"));
    for (int d : {2, 4, 8}) {
        jpeg.setJpegScale(d);
        EXPECT_EQ(jpeg.image().size(), QSize(64 / d, 48 / d));
    }
    EXPECT_EQ(jpeg.size(), QSize(64, 48));
}

TEST(PictureData, BrokenDataRaisesCleanErrors)
{
    QByteArray hugeJpeg = encodeJpeg(samplePhoto());
    // Frame header dimensions (SOF0 after the quantisation tables) raised to 30000 × 30000.
    const qsizetype sof = hugeJpeg.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    hugeJpeg[sof + 5] = char(0x75);
    hugeJpeg[sof + 6] = char(0x30);
    hugeJpeg[sof + 7] = char(0x75);
    hugeJpeg[sof + 8] = char(0x30);
    QByteArray hugeGif = tinyGif;
    hugeGif[6] = hugeGif[7] = hugeGif[8] = hugeGif[9] = char(0xFF);  // 65535 × 65535 screen
    const QByteArray cases[] = {
        QByteArray("\x05TBit"),                                          // name beyond the data
        pictureData("TNoSuchGraphic", "x"),
        pictureData("TBitmap", "\x01\x02"),                              // length cut off
        pictureData("TBitmap", lengthPrefixed("BM").left(5)),                  // length beyond the data
        pictureData("TBitmap", lengthPrefixed("XXXX")),                         // not a bitmap
        pictureData("TJPEGImage", lengthPrefixed("\xFF\xD8garbage")),
        pictureData("TJPEGImage", lengthPrefixed(hugeJpeg)),
        pictureData("TPNGObject", "\x89PNG\r\n\x1a\nbroken"),
        pictureData("TGIFImage", "GIF89a"),
        pictureData("TGIFImage", hugeGif),
    };
    for (const QByteArray& data : cases) {
        SCOPED_TRACE(data.left(20).toHex().toStdString());
        EXPECT_THROW(readPictureData(data), Exception);
    }
    EXPECT_EQ(readPictureData(QByteArray()), nullptr);
}
