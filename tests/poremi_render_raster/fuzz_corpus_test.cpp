// Every seed of the bitmap and picture-data fuzz targets goes through the readers.

#include "fuzz/support/untrusted_pictures.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <gtest/gtest.h>

namespace {

void runCorpus(const char* folder, void (*reader)(QByteArrayView))
{
    const QDir corpus(QString::fromLatin1(POREMI_SOURCE_DIR "/fuzz/corpus/") + QLatin1String(folder));
    const QFileInfoList files = corpus.entryInfoList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QFileInfo& file : files) {
        QFile in(file.filePath());
        ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        SCOPED_TRACE(file.fileName().toStdString());
        reader(in.readAll());
    }
}

}  // namespace

TEST(FuzzCorpus, BitmapSeedsAreReadWithoutCrashing)
{
    runCorpus("bmp", poremi::test::readUntrustedBitmap);
}

TEST(FuzzCorpus, PictureSeedsAreReadWithoutCrashing)
{
    runCorpus("picture", poremi::test::readUntrustedPictureData);
}
