// Every seed of the bitmap and picture-data fuzz targets gives what it is known to give: the
// valid ones decode to their sizes, the hostile ones fail with their reader's error. Every seed
// is listed, so a new seed needs its expectation; and every seed is drawn as the fuzz targets do.

#include "document/container/zlib_stream.h"
#include "document/stream/stream_error.h"
#include "fuzz/support/untrusted_pictures.h"
#include "render/raster/bmp_reader.h"
#include "render/raster/graphic.h"
#include "render/raster/picture_codecs.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace poremi;

namespace {

enum class Failure { None, Bitmap, Decoder, Compression, UnknownClass };

struct Seed {
    QSize size;                       // when it decodes
    Failure failure = Failure::None;  // when it does not
};

using Seeds = std::map<QString, Seed>;

Failure failureOf(const std::function<QSize()>& read, QSize* size)
{
    try {
        *size = read();
        return Failure::None;
    } catch (const InvalidBitmapError&) {
        return Failure::Bitmap;
    } catch (const PictureDecodeError&) {
        return Failure::Decoder;
    } catch (const EZLibError&) {
        return Failure::Compression;
    } catch (const EClassNotFound&) {
        return Failure::UnknownClass;
    }
}

void checkCorpus(const char* folder, const Seeds& seeds, const std::function<QSize(QByteArrayView)>& read,
                 void (*fuzzTarget)(QByteArrayView))
{
    const QDir corpus(QString::fromLatin1(POREMI_SOURCE_DIR "/fuzz/corpus/") + QLatin1String(folder));
    QStringList names = corpus.entryList(QDir::Files);
    QStringList listed;
    for (const auto& [name, seed] : seeds)
        listed.append(name);
    names.sort();
    EXPECT_EQ(names, listed) << "every seed needs its expectation";
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QFile in(corpus.filePath(name));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();
        const auto seed = seeds.find(name);
        if (seed == seeds.end())
            continue;
        QSize size;
        const Failure failure = failureOf([&] { return read(bytes); }, &size);
        EXPECT_EQ(int(failure), int(seed->second.failure));
        if (failure == Failure::None)
            EXPECT_EQ(size, seed->second.size);
        fuzzTarget(bytes);
    }
}

}  // namespace

TEST(FuzzCorpus, BitmapSeedsDecodeToTheirSizesOrFailWithTheBitmapError)
{
    const Seeds seeds{
        {"bitfields16.bmp", {{2, 1}}},
        {"bitfields32v3.bmp", {{1, 1}}},
        {"compressed.cbm", {{9, 7}}},
        {"core1.bmp", {{3, 1}}},
        {"core24.bmp", {{2, 2}}},
        {"info1.bmp", {{11, 2}}},
        {"info24.bmp", {{9, 7}}},
        {"info4.bmp", {{3, 1}}},
        {"info8.bmp", {{5, 3}}},
        {"rgb555.bmp", {{1, 1}}},
        {"rle4.bmp", {{5, 1}}},
        {"rle8.bmp", {{4, 2}}},
        {"topdown24.bmp", {{1, 2}}},
        {"truncated.bmp", {{}, Failure::Bitmap}},
        {"rle8_beyond_budget.bmp", {{}, Failure::Bitmap}},
        {"beyond_budget.cbm", {{}, Failure::Bitmap}},
        {"stating_more.cbm", {{}, Failure::Compression}},
    };
    checkCorpus("bmp", seeds, [](QByteArrayView bytes) { return readBmp(bytes).size(); },
                poremi::test::readUntrustedBitmap);
}

TEST(FuzzCorpus, PictureSeedsDecodeToTheirSizesOrFailWithTheirReadersError)
{
    const Seeds seeds{
        {"tbitmap.bin", {{9, 7}}},
        {"tgifimage.bin", {{1, 1}}},
        {"tjpegimage.bin", {{9, 7}}},
        {"tmetafile.bin", {{10, 5}}},
        {"tpngobject.bin", {{9, 7}}},
        {"tsafetybitmap_cbm.bin", {{5, 3}}},
        {"unknown_class.bin", {{}, Failure::UnknownClass}},
        {"tbitmap_cut_short.bin", {{}, Failure::Bitmap}},
        {"tjpegimage_beyond_budget.bin", {{}, Failure::Decoder}},
        {"tpngobject_beyond_budget.bin", {{}, Failure::Decoder}},
    };
    // Reading and then decoding, as a document's picture is read and then painted.
    const auto read = [](QByteArrayView bytes) {
        const auto graphic = readPictureData(bytes);
        if (!graphic)
            return QSize();
        const QImage image = graphic->image();
        if (graphic->format() != GraphicFormat::Metafile)
            EXPECT_EQ(image.size(), graphic->size());
        return graphic->size();
    };
    checkCorpus("picture", seeds, read, poremi::test::readUntrustedPictureData);
}
