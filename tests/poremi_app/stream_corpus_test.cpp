// The seeds of the component-stream fuzz target, read with the real classes of every library.

#include "fuzz/app_support/untrusted_streams.h"

#include "document/stream/component_stream.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <gtest/gtest.h>

namespace {

QString corpusFolder() { return QStringLiteral(POREMI_SOURCE_DIR "/fuzz/corpus/component_stream"); }

}  // namespace

TEST(RealClassStreamCorpus, EverySeedIsReadWithoutCrashing) {
    const QFileInfoList files = QDir(corpusFolder()).entryInfoList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QFileInfo& file : files) {
        QFile in(file.filePath());
        ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        SCOPED_TRACE(file.fileName().toStdString());
        poremi::test::readUntrustedStreamOfRealClasses(in.readAll());
    }
}

// The seeds are sound streams: they read back without error into the classes that wrote them.
TEST(RealClassStreamCorpus, SeedsReadBackAsTheirClasses) {
    for (const auto& seed : poremi::test::realClassSeeds()) {
        QBuffer buffer;
        buffer.setData(seed.bytes);
        buffer.open(QIODevice::ReadOnly);
        const bool resource = static_cast<unsigned char>(seed.bytes[0]) == 0xFF;
        std::unique_ptr<poremi::TComponent> root = resource ? poremi::ReadComponentRes(buffer) : poremi::ReadComponent(buffer);
        EXPECT_EQ(root->className(), seed.object->className()) << seed.name;
        EXPECT_EQ(poremi::componentStreamBytes(*root), poremi::componentStreamBytes(*seed.object)) << seed.name;
    }
}
