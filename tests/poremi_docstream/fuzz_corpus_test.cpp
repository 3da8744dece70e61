// Every file of the fuzz target's seed corpus goes through the reader and the decoder.

#include "fuzz/support/untrusted_input.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <gtest/gtest.h>

TEST(FuzzCorpus, EveryFileIsReadWithoutCrashing) {
    const QDir corpus(QStringLiteral(POREMI_SOURCE_DIR "/fuzz/corpus/component_stream"));
    const QFileInfoList files = corpus.entryInfoList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QFileInfo& file : files) {
        QFile in(file.filePath());
        ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        SCOPED_TRACE(file.fileName().toStdString());
        poremi::test::readUntrustedComponentStream(in.readAll());
    }
}
