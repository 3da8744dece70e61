#include "label_documents.h"

#include "document/container/doc_storage.h"
#include "document/container/doc_stream.h"
#include "document/container/storage_mode.h"
#include "document/container/zlib_stream.h"
#include "document/model/data_info.h"
#include "document/stream/component_stream.h"
#include "document/model/label_data.h"
#include "document/model/object_list.h"
#include "document/stream/stream_error.h"
#include "paper/database/extra_paper_info.h"
#include "paper/paper_info.h"
#include "test_objects.h"

#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::designColor;
using testing::documentPath;
using testing::fileBytes;
using testing::matrixPaper;
using testing::saveDesign;

class LabelDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::registerLabelDocumentClasses(); }
};

TEST_F(LabelDataTest, NewDocumentHasOneNamedSheetAndIsNotModified) {
    TLabelData data(nullptr);
    EXPECT_EQ(data.SheetCount(), 1);
    EXPECT_EQ(data.CurrentSheet(), 0);
    EXPECT_EQ(data.sheetName(), QStringLiteral("新規シート1"));
    EXPECT_TRUE(data.separatelyDesign());
    EXPECT_EQ(data.grid().size(), 50);
    EXPECT_FALSE(data.modified());
    EXPECT_EQ(data.Paper(), nullptr);
}

TEST_F(LabelDataTest, SharedDesignMapsEveryFaceToFaceZeroAndFacesOutsideThePaperAreRefused) {
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("A"), 2, 3));
    data.setSeparatelyDesign(false);
    saveDesign(data, 3, 0x11);
    EXPECT_TRUE(data.HasLabelData(5));
    EXPECT_EQ(designColor(data, 0), 0x11);
    data.setSeparatelyDesign(true);
    EXPECT_TRUE(data.HasLabelData(0));
    EXPECT_FALSE(data.HasLabelData(3));
    for (int face : {-1, 6}) EXPECT_THROW(data.HasLabelData(face), ELabelIndexError) << face;
}

TEST_F(LabelDataTest, EmptyListLeavesNoLabelDataButMarksModified) {
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("A"), 2, 1));
    saveDesign(data, 1, 0x22);
    data.setModified(false);
    TDOList empty;
    data.SaveLabelObjects(1, empty);
    EXPECT_FALSE(data.HasLabelData(1));
    EXPECT_TRUE(data.modified());
}

TEST_F(LabelDataTest, PaperWithFewerFacesDropsTheSurplusLabels) {
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("A"), 2, 2));
    for (int face = 0; face < 4; ++face) saveDesign(data, face, face);
    data.ChangePaper(*matrixPaper(QStringLiteral("B"), 1, 2));
    EXPECT_EQ(data.Paper()->getFaceCount(), 2);
    EXPECT_EQ(designColor(data, 1), 1);
    data.SetPaper(*matrixPaper(QStringLiteral("A"), 2, 2));
    EXPECT_FALSE(data.HasLabelData(2));
    EXPECT_FALSE(data.HasLabelData(3));
}

TEST_F(LabelDataTest, TwoSheetsOnDifferentPapersSurviveSaveAndLoad) {
    const QString path = documentPath(QStringLiteral("two_sheets.lbx"));
    {
        TLabelData data(nullptr);
        data.setDataName(QStringLiteral("二枚のシート"));
        data.SetPaper(*matrixPaper(QStringLiteral("Four"), 2, 2));
        saveDesign(data, 0, 0x100);
        saveDesign(data, 3, 0x103);
        data.AddNewSheet();
        EXPECT_EQ(data.sheetName(), QStringLiteral("新規シート2"));
        data.SetPaper(*matrixPaper(QStringLiteral("Three"), 1, 3));
        data.setSeparatelyDesign(false);
        saveDesign(data, 2, 0x200);
        data.grid().setEnabled(true);
        data.setCSVFile(QStringLiteral("x.csv"));
        data.SaveToFile(path);
        EXPECT_FALSE(data.modified());
        EXPECT_TRUE(data.csvFile().isEmpty());
    }
    const QByteArray first = fileBytes(path);
    ASSERT_FALSE(first.isEmpty());

    TLabelData read(nullptr);
    read.LoadFromFile(path);
    EXPECT_FALSE(read.modified());
    EXPECT_EQ(read.dataName(), QStringLiteral("二枚のシート"));
    EXPECT_EQ(read.SheetCount(), 2);
    EXPECT_EQ(read.CurrentSheet(), 1);
    EXPECT_FALSE(read.grid().enabled());
    EXPECT_FALSE(read.separatelyDesign());
    EXPECT_EQ(read.Paper()->paperName(), QStringLiteral("Three"));
    EXPECT_EQ(designColor(read, 1), 0x200);
    QStringList names;
    read.GetSheetNames(names);
    EXPECT_EQ(names, QStringList({QStringLiteral("新規シート1"), QStringLiteral("新規シート2")}));
    read.SetCurrentSheet(0);
    EXPECT_TRUE(read.separatelyDesign());
    EXPECT_EQ(read.Paper()->paperName(), QStringLiteral("Four"));
    EXPECT_EQ(designColor(read, 0), 0x100);
    EXPECT_EQ(designColor(read, 3), 0x103);
    EXPECT_FALSE(read.HasLabelData(1));
    EXPECT_FALSE(read.modified());

    // Saved label streams are compressed.
    TFileStorage file(path, fmOpenRead | fmShareExclusive);
    const QByteArray label = TDocStream(file, fmOpenRead | fmShareExclusive,
                                        QStringLiteral("Sheets\\NameList0\\NameList0")).ReadRest();
    EXPECT_TRUE(IsCompressedBytes(label));
}

TEST_F(LabelDataTest, FailedLoadLeavesTheOpenDocumentAsItWas) {
    const QString notCompound = documentPath(QStringLiteral("not_a_document.lbx"));
    {
        QFile file(notCompound);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("this is not a compound file");
    }
    const QString noPaper = documentPath(QStringLiteral("no_paper.lbx"));
    {
        TLabelData paperless(nullptr);
        paperless.SaveToFile(noPaper);
    }
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("Kept"), 2, 1));
    saveDesign(data, 1, 0x77);
    data.setSheetName(QStringLiteral("残る"));
    for (const QString& path : {notCompound, noPaper, documentPath(QStringLiteral("missing.lbx"))}) {
        EXPECT_ANY_THROW(data.LoadFromFile(path)) << path.toStdString();
        EXPECT_TRUE(data.modified());
        EXPECT_EQ(data.sheetName(), QStringLiteral("残る"));
        EXPECT_EQ(data.Paper()->paperName(), QStringLiteral("Kept"));
        EXPECT_EQ(designColor(data, 1), 0x77);
    }
    EXPECT_THROW(data.LoadFromFile(noPaper), EReadError);
}

// A saved document with one element replaced (or removed, for no bytes).
QString damagedDocument(const QString& name, const QString& element, const QByteArray& bytes) {
    const QString path = documentPath(name);
    {
        TLabelData data(nullptr);
        data.SetPaper(*matrixPaper(QStringLiteral("A"), 1, 1));
        TExPaperInfo maker;
        maker.setCompany(QStringLiteral("Maker"));
        data.SetExtraPaperInfo(&maker);
        saveDesign(data, 0, 0x1);
        data.SaveToFile(path);
    }
    TFileStorage root(path, fmOpenReadWrite | fmShareExclusive);
    if (bytes.isNull())
        root.DeleteElement(element);
    else
        TDocStream(root, fmCreate, element).WriteBytes(bytes);
    root.Commit();
    return path;
}

TEST_F(LabelDataTest, EveryDamagedPartOfAFileFailsTheLoadWithItsKindAndLeavesTheDocument) {
    TDataInfo info;
    const QByteArray notAPaper = componentResourceBytes(QStringLiteral("PaperInfo"), info);
    const QByteArray garbage("\xFF\x0A\x00garbage", 10);
    const struct {
        const char* element;
        QByteArray bytes;
        bool invalidCast;
    } cases[] = {
        {"DataInfo", garbage, false},
        {"DataInfo", QByteArray(), false},
        {"Sheets\\NameList", QByteArray(), false},
        {"Sheets\\NameList0\\Info", garbage, false},
        {"Sheets\\NameList0\\PaperInfo", notAPaper, true},
        {"Sheets\\NameList0\\PaperInfo", QByteArray(), false},
        {"Sheets\\NameList0\\PaperExtraInfo", garbage, false},
    };
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("Kept"), 2, 1));
    saveDesign(data, 1, 0x77);
    int n = 0;
    for (const auto& c : cases) {
        const QString path = damagedDocument(QStringLiteral("damaged_%1.lbx").arg(++n), QString::fromLatin1(c.element), c.bytes);
        if (c.invalidCast)
            EXPECT_THROW(data.LoadFromFile(path), EInvalidCast) << c.element;
        else
            EXPECT_THROW(data.LoadFromFile(path), Exception) << c.element;
        EXPECT_EQ(data.Paper()->paperName(), QStringLiteral("Kept")) << c.element;
        EXPECT_TRUE(data.ExtraPaperInfo().isEmpty()) << c.element;
        EXPECT_EQ(designColor(data, 1), 0x77) << c.element;
    }
}

TEST_F(LabelDataTest, SheetAndLabelNumbersOfAFileAreClampedToWhatExists) {
    TDataInfo info;
    info.setCurrentSheetNo(7);
    const QString path = damagedDocument(QStringLiteral("numbers_out_of_range.lbx"), QStringLiteral("DataInfo"),
                                         componentResourceBytes(QStringLiteral("DataInfo"), info));
    {
        TLabelData data(nullptr);
        data.LoadFromFile(path);
        data.setCurrentLabelNo(9);
        data.SaveToFile(path);
    }
    TLabelData read(nullptr);
    read.LoadFromFile(path);
    EXPECT_EQ(read.CurrentSheet(), 0);
    EXPECT_EQ(read.currentLabelNo(), 0);
}

TEST_F(LabelDataTest, FailedSaveLeavesThePreviousFile) {
    const QString path = documentPath(QStringLiteral("kept.lbx"));
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("A"), 1, 1));
    saveDesign(data, 0, 0x1);
    data.SaveToFile(path);
    const QByteArray before = fileBytes(path);
    ASSERT_FALSE(before.isEmpty());
    EXPECT_ANY_THROW(data.SaveToFile(documentPath(QStringLiteral("no/such/folder.lbx"))));
    saveDesign(data, 0, 0x2);
    EXPECT_TRUE(data.modified());
    EXPECT_EQ(fileBytes(path), before);
}

TEST_F(LabelDataTest, SavedDocumentOpensInAnotherCompoundFileReaderWithTheDocumentTree) {
    const QString path = documentPath(QStringLiteral("tree.lbx"));
    {
        TLabelData data(nullptr);
        data.SetPaper(*matrixPaper(QStringLiteral("A"), 2, 1));
        TExPaperInfo maker;
        maker.setCompany(QStringLiteral("Maker"));
        data.SetExtraPaperInfo(&maker);
        TImagePaperInfo images;
        TImagePaperInfo::Objects template0;
        template0.push_back(std::make_unique<testing::TTestBox>());
        images.setObjects(0, std::move(template0));
        data.SetImagePaperInfo(&images);
        saveDesign(data, 0, 0x1);
        saveDesign(data, 1, 0x2);
        data.SaveToFile(path);
    }
    const QString script = QStringLiteral(R"(
import sys, olefile, struct, zlib
ole = olefile.OleFileIO(sys.argv[1])
names = sorted('/'.join(n) for n in ole.listdir(streams=True, storages=True))
sheet = 'Sheets/NameList0/'
expected = ['DataInfo', 'Sheets', 'Sheets/NameList', 'Sheets/NameList0'] + [sheet + n for n in (
    'Info', 'NameList', 'NameList0', 'NameList1', 'PaperExtraInfo', 'PaperImageInfo', 'PaperImages',
    'PaperImages/$00000001', 'PaperInfo', 'Preview', 'Preview0', 'Preview1')]
assert names == expected, names
assert ole.openstream('Sheets/NameList').read()[4:] == b'NameList0\r\n'
assert ole.openstream(sheet + 'Preview').read()[4:] == b'Preview0\r\nPreview1\r\n'
for k in (0, 1):
    data = ole.openstream(sheet + 'NameList%d' % k).read()
    assert data[:13] == b'ZLIBCompress\x1a', data[:13]
    plain = zlib.decompress(data[17:])
    assert len(plain) == struct.unpack('<I', data[13:17])[0]
    assert plain[0] == 0xFF and b'LABELDATA' in plain[:20] and b'TPF0' in plain
    png = ole.openstream(sheet + 'Preview%d' % k).read()
    assert png[:8] == b'\x89PNG\r\n\x1a\n'
    width, height, depth, colour = struct.unpack('>IIBB', png[16:26])
    assert 0 < width <= 200 and 0 < height <= 200, (width, height)
    pos, idat = 8, b''
    while pos < len(png):
        size, kind = struct.unpack('>I4s', png[pos:pos + 8])
        if kind == b'IDAT':
            idat += png[pos + 8:pos + 8 + size]
        pos += 12 + size
    channels = {0: 1, 2: 3, 4: 2, 6: 4}[colour]
    assert len(zlib.decompress(idat)) == height * (1 + width * channels * depth // 8)
for s in ('DataInfo', sheet + 'Info', sheet + 'PaperInfo', sheet + 'PaperExtraInfo', sheet + 'PaperImageInfo'):
    assert b'TPF0' in ole.openstream(s).read(), s
assert struct.unpack('<i', ole.openstream(sheet + 'PaperImages/$00000001').read()[:4])[0] == 1
)");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, path});
    ASSERT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
}

}  // namespace
}  // namespace poremi
