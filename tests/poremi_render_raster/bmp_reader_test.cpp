// The tolerant BMP reader on every header kind, and its refusal of broken files.

#include "render/raster/bmp_reader.h"
#include "render/raster/cbm.h"
#include "render/raster/pixel_layout.h"
#include "tests/poremi_render_raster/bmp_builder.h"

#include <gtest/gtest.h>

using namespace poremi;
using poremi::test::BmpBuilder;

namespace {

QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

}  // namespace

TEST(StoredRowSize, PadsRowsTo32Bits)
{
    EXPECT_EQ(storedRowSize(1, 24), 4);
    EXPECT_EQ(storedRowSize(3, 8), 4);
    EXPECT_EQ(storedRowSize(33, 1), 8);
}

TEST(BmpReader, InfoHeader24BitBottomUp)
{
    // 2 × 2: stored bottom row first; rows padded to 8 bytes.
    BmpBuilder b;
    b.fileHeader().infoHeader(2, 2, 24);
    b.triple(0, 0, 255).triple(0, 255, 0).u16(0);    // bottom row: blue, green
    b.triple(255, 0, 0).triple(255, 255, 255).u16(0);  // top row: red, white
    const QImage image = readBmp(b.bytes());
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.format(), QImage::Format_BGR888);
    EXPECT_EQ(image.pixel(0, 0), rgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), rgb(255, 255, 255));
    EXPECT_EQ(image.pixel(0, 1), rgb(0, 0, 255));
    EXPECT_EQ(image.pixel(1, 1), rgb(0, 255, 0));
}

TEST(BmpReader, TopDownRowsAreNotFlipped)
{
    BmpBuilder b;
    b.fileHeader().infoHeader(1, -2, 24);
    b.triple(255, 0, 0).u8(0);
    b.triple(0, 0, 255).u8(0);
    const DibImage dib = readDib(b.bytes());
    EXPECT_TRUE(dib.isTopDown());
    const QImage image = dib.toImage();
    EXPECT_EQ(image.pixel(0, 0), rgb(255, 0, 0));
    EXPECT_EQ(image.pixel(0, 1), rgb(0, 0, 255));
}

TEST(BmpReader, CoreHeaderWidensThreeByteColours)
{
    // 12-byte header, 1 bit per pixel: two 3-byte colour entries, one 4-byte row of 3 pixels.
    BmpBuilder b;
    b.fileHeader().coreHeader(3, 1, 1);
    b.triple(10, 20, 30).triple(200, 100, 50);
    b.u8(0b10100000).u8(0).u16(0);
    const DibImage dib = readDib(b.bytes());
    EXPECT_TRUE(dib.coreHeader);
    ASSERT_EQ(dib.colorTable.size(), 2);
    EXPECT_EQ(dib.colorTable[1], rgb(200, 100, 50));
    const QImage image = dib.toImage();
    EXPECT_EQ(image.pixel(0, 0), rgb(200, 100, 50));
    EXPECT_EQ(image.pixel(1, 0), rgb(10, 20, 30));
    EXPECT_EQ(image.pixel(2, 0), rgb(200, 100, 50));
}

TEST(BmpReader, UsedColourCountShortensTheTable)
{
    // 8 bits with two colours used: the pixels follow right after the two entries, whatever
    // the file header's offset field says.
    BmpBuilder b;
    b.fileHeader().infoHeader(2, 1, 8, 0, 0, 2);
    b.quad(1, 2, 3).quad(250, 251, 252);
    b.u8(1).u8(0).u16(0);
    const QImage image = readBmp(b.bytes());
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.pixelIndex(0, 0), 1);
    EXPECT_EQ(image.pixel(0, 0), rgb(250, 251, 252));
    EXPECT_EQ(image.pixel(1, 0), rgb(1, 2, 3));
}

TEST(BmpReader, BitFields16And32)
{
    // 16-bit 5-6-5 masks after a 40-byte header.
    BmpBuilder b16;
    b16.fileHeader().infoHeader(2, 1, 16, 3).u32(0xF800).u32(0x07E0).u32(0x001F);
    b16.u16(0xF800).u16(0x001F);
    const QImage i16 = readBmp(b16.bytes());
    EXPECT_EQ(i16.pixel(0, 0), rgb(255, 0, 0));
    EXPECT_EQ(i16.pixel(1, 0), rgb(0, 0, 255));

    // 32-bit with the masks inside a 56-byte header: no extra mask words follow.
    BmpBuilder b32;
    b32.fileHeader().u32(56).u32(1).u32(1).u16(1).u16(32).u32(3).u32(4).u32(0).u32(0).u32(0).u32(0);
    b32.u32(0x0000FF00).u32(0x00FF0000).u32(0xFF000000).u32(0);  // red, green, blue, alpha masks
    b32.u8(0).u8(11).u8(22).u8(33);
    EXPECT_EQ(readBmp(b32.bytes()).pixel(0, 0), rgb(11, 22, 33));
}

TEST(BmpReader, Plain16BitIs555)
{
    BmpBuilder b;
    b.fileHeader().infoHeader(1, 1, 16).u16(0x7C00).u16(0);
    EXPECT_EQ(readBmp(b.bytes()).pixel(0, 0), rgb(255, 0, 0));
}

TEST(BmpReader, Rle8RunsAbsoluteRunsAndDeltas)
{
    // 4 × 2, bottom-up: row 0 (bottom) = 1 1 2 3, then a delta to row 1 column 2, one pixel.
    BmpBuilder b;
    b.fileHeader().infoHeader(4, 2, 8, 1, 14, 4);
    b.quad(0, 0, 0).quad(255, 0, 0).quad(0, 255, 0).quad(0, 0, 255);
    b.u8(2).u8(1);                      // run: 2 × index 1
    b.u8(0).u8(3).u8(2).u8(3).u8(9).u8(0);  // absolute run of 3 (2, 3, 9), padded
    b.u8(0).u8(2).u8(0).u8(1);          // delta: one row down
    b.u8(0).u8(1);                      // end of bitmap
    const QImage image = readBmp(b.bytes());
    // The absolute run's third pixel falls outside the row and is dropped; the top row stays 0.
    EXPECT_EQ(image.pixelIndex(0, 1), 1);
    EXPECT_EQ(image.pixelIndex(1, 1), 1);
    EXPECT_EQ(image.pixelIndex(2, 1), 2);
    EXPECT_EQ(image.pixelIndex(3, 1), 3);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(image.pixelIndex(x, 0), 0);
}

TEST(BmpReader, Rle4AlternatesNibbles)
{
    BmpBuilder b;
    b.fileHeader().infoHeader(5, 1, 4, 2, 6, 16);
    for (int i = 0; i < 16; ++i)
        b.quad(i * 16, i * 16, i * 16);
    b.u8(5).u8(0x12);   // 1 2 1 2 1
    b.u8(0).u8(1);
    b.u8(0).u8(0);
    const QImage image = readBmp(b.bytes());
    const int expected[] = {1, 2, 1, 2, 1};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(image.pixelIndex(x, 0), expected[x]);
}

TEST(BmpReader, FourBitUnpacksHighNibbleFirst)
{
    BmpBuilder b;
    b.fileHeader().infoHeader(3, 1, 4);
    for (int i = 0; i < 16; ++i)
        b.quad(i, i, i);
    b.u8(0x5A).u8(0xF0).u16(0);
    const QImage image = readBmp(b.bytes());
    EXPECT_EQ(image.pixelIndex(0, 0), 5);
    EXPECT_EQ(image.pixelIndex(1, 0), 10);
    EXPECT_EQ(image.pixelIndex(2, 0), 15);
}

TEST(BmpReader, BrokenFilesRaiseTheBitmapError)
{
    auto header = [](std::int32_t w, std::int32_t h, int bits, std::uint32_t compression = 0,
                     std::uint32_t used = 0) {
        BmpBuilder b;
        b.fileHeader().infoHeader(w, h, bits, compression, 0, used);
        return b;
    };
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    BmpBuilder truncatedPixels = header(4, 4, 24);
    truncatedPixels.raw(QByteArray(47, '\0'));  // needs 48
    BmpBuilder hugeSize = header(100000, 100000, 24);
    BmpBuilder hostileColours = header(1, 1, 8, 0, 0x40000000);
    BmpBuilder badDepth = header(1, 1, 7);
    BmpBuilder rleWrongDepth = header(1, 1, 24, 1);
    BmpBuilder zeroWidth = header(0, 1, 24);
    BmpBuilder negativeWidth = header(-5, 1, 24);
    BmpBuilder smallHeader;
    smallHeader.fileHeader().u32(8).u32(0);
    BmpBuilder headerBeyondEnd;
    headerBeyondEnd.fileHeader().u32(40).u32(1);
    BmpBuilder minHeight = header(1, std::numeric_limits<std::int32_t>::min(), 24);
    const Case cases[] = {
        {"empty", QByteArray()},
        {"not BM", QByteArray("XX123456789012345678")},
        {"only signature", QByteArray("BM")},
        {"truncated pixels", truncatedPixels.bytes()},
        {"huge size", hugeSize.bytes()},
        {"hostile colour count", hostileColours.bytes()},
        {"bad depth", badDepth.bytes()},
        {"RLE on 24 bits", rleWrongDepth.bytes()},
        {"zero width", zeroWidth.bytes()},
        {"negative width", negativeWidth.bytes()},
        {"header size 8", smallHeader.bytes()},
        {"header beyond end", headerBeyondEnd.bytes()},
        {"height INT_MIN", minHeight.bytes()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            readBmp(c.bytes);
            ADD_FAILURE() << "accepted";
        } catch (const InvalidBitmapError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("ビットマップイメージが不正です"));
        }
    }
}

TEST(Cbm, WrapsAndUnwrapsABmpFile)
{
    QImage source(3, 2, QImage::Format_BGR888);
    source.fill(QColor(10, 20, 30));
    source.setPixel(2, 1, qRgb(200, 0, 100));
    const QByteArray bmp = writeBmp(source);
    const QByteArray cbm = deflateToCbm(bmp);
    EXPECT_TRUE(cbm.startsWith("ZLIBCompress\x1A"));
    EXPECT_EQ(inflateCbm(cbm), bmp);
    const QImage back = readBmp(cbm);
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), source.convertToFormat(QImage::Format_RGB32));
}

TEST(Cbm, StatedLengthBeyondTheStreamOrAnyBitmapIsRefused)
{
    const QByteArray bmp = writeBmp(QImage(2, 2, QImage::Format_BGR888));
    QByteArray longer = deflateToCbm(bmp);
    longer[13] = char(longer[13] + 1);  // one byte more than the stream holds
    EXPECT_THROW(inflateCbm(longer), Exception);

    QByteArray huge = deflateToCbm(bmp);
    huge[13] = huge[14] = huge[15] = huge[16] = char(0xFF);
    EXPECT_THROW(inflateCbm(huge), Exception);

    QByteArray garbage("ZLIBCompress\x1A\x10\0\0\0garbage-garbage", 13 + 4 + 15);
    EXPECT_THROW(readBmp(garbage), Exception);
}

TEST(BmpWriter, RoundTripsMonoIndexedAndTrueColour)
{
    QImage mono(33, 2, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    mono.setPixel(32, 1, 1);
    QImage indexed(3, 3, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(4, 5, 6)});
    indexed.fill(0);
    indexed.setPixel(1, 2, 1);
    QImage colour(5, 1, QImage::Format_RGB32);
    colour.fill(qRgb(9, 8, 7));
    for (const QImage& image : {mono, indexed, colour}) {
        const QImage back = readBmp(writeBmp(image));
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image.convertToFormat(QImage::Format_RGB32));
    }
    EXPECT_EQ(writeBmp(indexed).size(), 14 + 40 + 2 * 4 + 3 * 4);
}
