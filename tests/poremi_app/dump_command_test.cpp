#include "app/cli/commands.h"
#include "base/native_path.h"
#include "document/container/doc_name_list.h"
#include "document/container/doc_stream.h"
#include "document/container/storage_mode.h"
#include "document/container/zlib_stream.h"
#include "tests/support/test_environment.h"

#include <QtCore/QFile>
#include <gtest/gtest.h>

namespace poremi {
namespace {

QByteArray sampleResource() {
    QFile file(QStringLiteral(POREMI_SOURCE_DIR "/fuzz/corpus/component_stream/sample_resource"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DumpCommand : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::freshFolder(QStringLiteral("dump"));
        document_ = folder_ + QStringLiteral("/label.lbx");
        TFileStorage root(fromNativePath(document_), fmCreate);
        TDocStream(root, fmCreate, QStringLiteral("DataInfo")).WriteBytes(sampleResource());
        TDocStorageList sheets(root, QStringLiteral("Sheets\\NameList"));
        TDocStorage sheet(root, true, sheets.ItemPath(sheets.AddItem()));
        TDocStreamList labels(root, sheet.Path() + QStringLiteral("\\NameList"));
        labels.OpenItem(labels.AddItem(), fmCreate)->WriteBytes(CompressBytes(sampleResource()));
        labels.OpenItem(labels.AddItem(), fmCreate)->WriteBytes(CompressBytes(sampleResource().left(40)));
        TDocStreamList previews(root, sheet.Path() + QStringLiteral("\\Preview"));
        previews.OpenItem(previews.AddItem(), fmCreate)->WriteBytes(QByteArray("\x89PNG\r\n\x1a\n", 8));
        root.Commit();
    }

    QString run(const QStringList& arguments, int& exitCode) {
        testing::internal::CaptureStdout();
        exitCode = runDumpCommand(arguments);
        return QString::fromStdString(testing::internal::GetCapturedStdout());
    }

    QString folder_;
    QString document_;
};

TEST_F(DumpCommand, ListsTheTreeWithStoragesIndentedAndStreamSizes) {
    int exitCode = -1;
    const QString text = run({document_}, exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(text, QStringLiteral("Sheets\\\n"
                                   "  NameList  15\n"
                                   "  NameList0\\\n"
                                   "    Preview  14\n"
                                   "    NameList  26\n"
                                   "    Preview0  8\n"
                                   "    NameList0  %1\n"
                                   "    NameList1  %2\n"
                                   "DataInfo  %3\n")
                        .arg(CompressBytes(sampleResource()).size())
                        .arg(CompressBytes(sampleResource().left(40)).size())
                        .arg(sampleResource().size()));
}

TEST_F(DumpCommand, DecodesComponentsNameListsAndTheRestAsHex) {
    ASSERT_FALSE(sampleResource().isEmpty());
    int exitCode = -1;
    EXPECT_TRUE(run({document_, QStringLiteral("DataInfo")}, exitCode).startsWith(QStringLiteral("object ")));
    EXPECT_EQ(exitCode, 0);
    // A compressed label stream is inflated first; "/" may stand for "\".
    EXPECT_TRUE(run({document_, QStringLiteral("Sheets/NameList0/NameList0")}, exitCode).startsWith(QStringLiteral("object ")));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(run({document_, QStringLiteral("Sheets\\NameList0\\NameList")}, exitCode),
              QStringLiteral("Counter = 2\nNameList0\nNameList1\n"));
    EXPECT_EQ(run({document_, QStringLiteral("Sheets\\NameList0\\Preview0")}, exitCode),
              QStringLiteral("00000000  89 50 4e 47 0d 0a 1a 0a                          .PNG....\n"));
    EXPECT_EQ(exitCode, 0);
}

TEST_F(DumpCommand, UndecodableComponentsAndMissingPathsFail) {
    int exitCode = -1;
    const QString hex = run({document_, QStringLiteral("Sheets\\NameList0\\NameList1")}, exitCode);
    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(hex.startsWith(QStringLiteral("00000000  ")));
    EXPECT_THROW(runDumpCommand({document_, QStringLiteral("Sheets\\Missing")}), Exception);
}

TEST_F(DumpCommand, ABareFileIsDecodedAsAComponentStream) {
    const QString bare = folder_ + QStringLiteral("/Update.bin");
    {
        QFile file(bare);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(CompressBytes(sampleResource()));
    }
    int exitCode = -1;
    EXPECT_TRUE(run({bare}, exitCode).startsWith(QStringLiteral("object ")));
    EXPECT_EQ(exitCode, 0);
}

}  // namespace
}  // namespace poremi
