// Every seed of the paper database fuzz target goes through the start-up path, and the start
// succeeds: a seed that does not read is rebuilt from the shipped database.

#include "fuzz/support/untrusted_database.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <gtest/gtest.h>

TEST(FuzzCorpus, PaperDatabaseSeedsStartTheProgram) {
    const QDir corpus(QStringLiteral(POREMI_SOURCE_DIR "/fuzz/corpus/paper_database"));
    const QFileInfoList seeds = corpus.entryInfoList(QDir::Files);
    ASSERT_FALSE(seeds.isEmpty());
    for (const QFileInfo& seed : seeds) {
        SCOPED_TRACE(seed.fileName().toStdString());
        QFile in(seed.filePath());
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        testing::internal::CaptureStderr();
        int papers = -1;
        EXPECT_NO_THROW(papers = poremi::test::openUntrustedPaperDatabase(in.readAll()));
        testing::internal::GetCapturedStderr();
        // At least the shipped papers are there.
        EXPECT_GE(papers, 2);
    }
}
