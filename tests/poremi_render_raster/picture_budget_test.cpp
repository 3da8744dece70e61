// The picture budget, checked before pixels are allocated, and pictures that are read with
// their headers only and decoded when first used.

#include "document/container/zlib_stream.h"
#include "render/raster/bmp_reader.h"
#include "render/raster/cbm.h"
#include "render/raster/graphic.h"
#include "render/raster/image_data.h"
#include "render/raster/picture_codecs.h"
#include "render/raster/pixel_layout.h"
#include "tests/poremi_render_raster/bmp_builder.h"
#include "tests/poremi_render_raster/picture_holder.h"

#include <QtGui/QPainter>
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

using namespace poremi;
using namespace poremi::test;

namespace {

void put32BigEndian(QByteArray& bytes, qsizetype at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((v >> (24 - 8 * i)) & 0xFF);
}

// A PNG whose header declares width × height, with its chunk checksum made right again.
QByteArray pngDeclaring(int width, int height)
{
    QByteArray png = encodePng(samplePhoto());
    const qsizetype ihdr = png.indexOf("IHDR");
    put32BigEndian(png, ihdr + 4, std::uint32_t(width));
    put32BigEndian(png, ihdr + 8, std::uint32_t(height));
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(png.constData() + ihdr), 17);
    put32BigEndian(png, ihdr + 17, std::uint32_t(crc));
    return png;
}

QByteArray jpegDeclaring(int width, int height)
{
    QByteArray jpeg = encodeJpeg(samplePhoto());
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

QByteArray gifDeclaring(int width, int height)
{
    QByteArray gif = QByteArray::fromHex(
        "47494638396101000100800000000000ffffff21f90401000000002c000000000100010000020144003b");
    gif[6] = char(width & 0xFF);
    gif[7] = char(width >> 8);
    gif[8] = char(height & 0xFF);
    gif[9] = char(height >> 8);
    return gif;
}

// An RLE8 bitmap of the size whose data ends at once: tiny on disk, width × height decoded.
QByteArray rleBitmapDeclaring(int width, int height)
{
    BmpBuilder b;
    b.fileHeader().infoHeader(width, height, 8, 1, 2, 1).quad(0, 0, 0);
    b.u8(0).u8(1);
    return b.bytes();
}

template <class Error>
void expectError(const std::function<void()>& action)
{
    try {
        action();
        ADD_FAILURE() << "no error";
    } catch (const Error&) {
    } catch (const std::exception& e) {
        ADD_FAILURE() << "another error: " << e.what();
    }
}

}  // namespace

TEST(PictureBudget, TwentyThousandPixelsASideAndAQuarterGibibyteOfRows)
{
    struct Case {
        std::int64_t width, height;
        int bits;
        bool fits;
    };
    const Case cases[] = {
        {1, 1, 32, true},
        {20000, 1, 32, true},
        {20001, 1, 32, false},
        {1, 20001, 1, false},
        {0, 5, 32, false},
        {5, -1, 32, false},
        {8192, 8192, 32, true},   // exactly 256 MiB
        {8192, 8193, 32, false},
        {9000, 9000, 32, false},  // 81 million pixels: within the old pixel count, beyond the bytes
        {9000, 9000, 24, true},
        {20000, 20000, 1, true},  // 50 MB of one-bit rows
        {20000, 20000, 8, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isAcceptablePictureSize(c.width, c.height, c.bits), c.fits)
            << c.width << " x " << c.height << " at " << c.bits;
    // Without a depth the widest work bitmap counts.
    EXPECT_FALSE(isAcceptablePictureSize(9000, 9000));
}

TEST(PictureBudget, AllocationBeyondTheBudgetIsOutOfMemoryNeverANullImage)
{
    expectError<OutOfMemoryError>([] { allocateImage(9000, 9000, QImage::Format_RGB32); });
    expectError<OutOfMemoryError>([] { allocateImage(0, 10, QImage::Format_RGB32); });
    expectError<OutOfMemoryError>([] { createWorkBitmap(30000, 2); });
    expectError<OutOfMemoryError>([] { convertImage(QImage(9000, 9000, QImage::Format_Mono), QImage::Format_RGB32); });
    try {
        allocateImage(9000, 9000, QImage::Format_RGB32);
    } catch (const OutOfMemoryError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("メモリが不足しています"));
    }
    EXPECT_EQ(allocateImage(9000, 9000, QImage::Format_Mono).size(), QSize(9000, 9000));
    EXPECT_TRUE(convertImage(QImage(), QImage::Format_RGB32).isNull());
}

TEST(PictureBudget, HeadersBeyondTheBudgetFailWithTheReadersError)
{
    // Each of these is a few hundred bytes that would decode to more than the budget allows.
    expectError<InvalidBitmapError>([] { readBmp(rleBitmapDeclaring(9000, 9000)); });
    expectError<InvalidBitmapError>([] { readBmp(deflateToCbm(rleBitmapDeclaring(9000, 9000))); });
    expectError<InvalidBitmapError>([] { bmpSize(deflateToCbm(rleBitmapDeclaring(9000, 9000))); });
    expectError<PictureDecodeError>([] { decodePng(pngDeclaring(9000, 9000)); });
    expectError<PictureDecodeError>([] { decodeJpeg(jpegDeclaring(9000, 9000)); });
    expectError<PictureDecodeError>([] { decodeGif(gifDeclaring(20001, 1)); });
    expectError<InvalidBitmapError>([] { readPictureData(pictureData("TBitmap", lengthPrefixed(rleBitmapDeclaring(9000, 9000)))); });
    expectError<PictureDecodeError>([] { readPictureData(pictureData("TPNGObject", pngDeclaring(9000, 9000))); });
    expectError<PictureDecodeError>([] { readPictureData(pictureData("TJPEGImage", lengthPrefixed(jpegDeclaring(9000, 9000)))); });
    expectError<PictureDecodeError>([] { readPictureData(pictureData("TGIFImage", gifDeclaring(20001, 1))); });
    // Within the budget the same headers are accepted.
    EXPECT_EQ(bmpSize(deflateToCbm(rleBitmapDeclaring(4000, 3000))), QSize(4000, 3000));
    EXPECT_EQ(pngSize(pngDeclaring(4000, 3000)), QSize(4000, 3000));
}

TEST(PictureBudget, RleBitmapsDecodeStraightIntoTheirRows)
{
    // Bottom-up RLE8: the one run lands in the bottom row; the rest stays index 0.
    BmpBuilder b;
    b.fileHeader().infoHeader(3, 2, 8, 1, 4, 2).quad(0, 0, 0).quad(255, 0, 0);
    b.u8(2).u8(1).u8(0).u8(1);
    const QImage image = readBmp(b.bytes());
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixelIndex(0, 1), 1);
    EXPECT_EQ(image.pixelIndex(1, 1), 1);
    EXPECT_EQ(image.pixelIndex(2, 1), 0);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(image.pixelIndex(x, 0), 0);
}

namespace {

struct Sample {
    const char* name;
    QByteArray data;
};

std::vector<Sample> samples()
{
    const QByteArray bmp = writeBmp(samplePhoto());
    return {
        {"TBitmap", pictureData("TBitmap", lengthPrefixed(bmp))},
        {"TSafetyBitmap CBM", pictureData("TSafetyBitmap", lengthPrefixed(deflateToCbm(bmp)))},
        {"TJPEGImage", pictureData("TJPEGImage", lengthPrefixed(encodeJpeg(samplePhoto())))},
        {"TPNGObject", pictureData("TPNGObject", encodePng(samplePhoto()))},
        {"TGIFImage", pictureData("TGIFImage", gifDeclaring(16, 12))},
    };
}

}  // namespace

TEST(LazyPictures, ReadingKeepsTheBytesAndDecodesOnFirstUse)
{
    for (const Sample& s : samples()) {
        SCOPED_TRACE(s.name);
        const auto graphic = readPictureData(s.data);
        ASSERT_TRUE(graphic);
        EXPECT_FALSE(graphic->isDecoded());
        EXPECT_EQ(graphic->size(), QSize(16, 12));
        EXPECT_EQ(writePictureData(*graphic), s.data);
        const auto copy = graphic->clone();
        EXPECT_FALSE(copy->isDecoded());
        EXPECT_FALSE(graphic->isDecoded());
        EXPECT_EQ(graphic->image().size(), QSize(16, 12));
        EXPECT_TRUE(graphic->isDecoded());
        EXPECT_FALSE(copy->isDecoded());
    }
}

TEST(LazyPictures, ReadingADocumentDecodesNothingUntilItIsPainted)
{
    for (const Sample& s : samples()) {
        SCOPED_TRACE(s.name);
        TPictureHolder holder;
        holder.picture().setData(s.data);
        holder.fill().imageData().picture().setData(s.data);
        holder.fill().setKind(TColorSpecKind::cskBitmap);
        holder.fill().setTile(true);
        const auto back = holderFrom(streamOf(holder));
        ASSERT_TRUE(back->picture().hasGraphic());
        EXPECT_FALSE(back->picture().graphic()->isDecoded());
        const TGraphic* fillPicture = back->fill().imageData().picture().graphic();
        ASSERT_TRUE(fillPicture);
        EXPECT_FALSE(fillPicture->isDecoded());
        EXPECT_EQ(back->fill().imageData().picture().width(), 16);

        QImage target(16, 12, QImage::Format_RGB32);
        target.fill(Qt::black);
        QPainter painter(&target);
        back->fill().paint(painter, QRect(0, 0, 16, 12));
        painter.end();
        EXPECT_TRUE(fillPicture->isDecoded());
        EXPECT_FALSE(back->picture().graphic()->isDecoded());
        QImage expected(16, 12, QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter reference(&expected);
        reference.drawImage(0, 0, fillPicture->image());
        reference.end();
        EXPECT_EQ(target, expected);
    }
}

TEST(LazyPictures, BrokenPixelsBehindAGoodHeaderFailAtFirstUseAndAfter)
{
    const QByteArray bmp = writeBmp(samplePhoto());
    QByteArray png = encodePng(samplePhoto());
    png[png.indexOf("IDAT") + 10] = char(png[png.indexOf("IDAT") + 10] ^ 0x55);  // the checksum no longer fits
    QByteArray shortCbm = deflateToCbm(bmp);
    shortCbm[14] = char(shortCbm[14] + 1);  // states 256 bytes more than the stream holds
    struct Case {
        const char* name;
        QByteArray data;
        std::function<void(const TGraphic&)> expectFailure;
    };
    const Case cases[] = {
        {"bitmap cut short", pictureData("TBitmap", lengthPrefixed(bmp.left(bmp.size() - 10))),
         [](const TGraphic& g) { expectError<InvalidBitmapError>([&] { g.image(); }); }},
        {"CBM stating more than it holds", pictureData("TSafetyBitmap", lengthPrefixed(shortCbm)),
         [](const TGraphic& g) { expectError<EZLibError>([&] { g.image(); }); }},
        {"PNG with a damaged data chunk", pictureData("TPNGObject", png),
         [](const TGraphic& g) { expectError<PictureDecodeError>([&] { g.image(); }); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto graphic = readPictureData(c.data);
        ASSERT_TRUE(graphic);
        EXPECT_EQ(graphic->size(), QSize(16, 12));
        c.expectFailure(*graphic);
        c.expectFailure(*graphic);
        EXPECT_FALSE(graphic->isDecoded());
        // The bytes still travel through documents unchanged.
        EXPECT_EQ(writePictureData(*graphic), c.data);
    }
}
