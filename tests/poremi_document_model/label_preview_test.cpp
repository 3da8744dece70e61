// Previews of labels: rendered when asked for or when the document is saved, dropped when the
// design or the paper changes, read back from files without loading them.

#include "label_documents.h"
#include "test_objects.h"

#include "document/container/doc_name_list.h"
#include "document/container/doc_storage.h"
#include "document/container/doc_stream.h"
#include "document/container/storage_mode.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <gtest/gtest.h>
#include <cstdlib>

namespace poremi {
namespace {

using testing::documentPath;
using testing::matrixPaper;
using testing::saveDesign;

class LabelPreview : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::registerLabelDocumentClasses(); }
};

// An 80 × 50 mm face is 302 × 189 pixels at 96 dpi, shrunk to 200 pixels wide.
bool fullWidthPreview(const QImage& preview) { return preview.width() == 200 && std::abs(preview.height() - 125) <= 1; }

TEST_F(LabelPreview, PreviewIsMadeWhenAskedAndShowsTheDesign) {
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("A"), 2, 1));
    EXPECT_TRUE(data.GetPreview(0).isNull()) << "no design, no preview";
    saveDesign(data, 0, 0xFF0000);  // blue in 0x00BBGGRR
    const QImage preview = data.GetPreview(0);
    ASSERT_FALSE(preview.isNull());
    EXPECT_TRUE(fullWidthPreview(preview)) << preview.width() << "×" << preview.height();
    // saveDesign's box covers 1/80 … 20/80 of the width and 1/50 … 10/50 of the height.
    EXPECT_EQ(preview.pixelColor(20, 15), QColor(0, 0, 255));
    EXPECT_EQ(preview.pixelColor(150, 100), QColor(Qt::white));

    saveDesign(data, 0, 0x00FF00);
    EXPECT_EQ(data.GetPreview(0).pixelColor(20, 15), QColor(0, 255, 0)) << "a new design drops the old preview";
    EXPECT_TRUE(data.GetPreview(1).isNull());
}

TEST_F(LabelPreview, ChangingThePaperRendersThePreviewsAnewSettingItKeepsThem) {
    const QString path = documentPath(QStringLiteral("preview_paper.lbx"));
    auto narrow = matrixPaper(QStringLiteral("Narrow"), 2, 1);
    narrow->setFaceWidth(400);
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("A"), 2, 1));
    saveDesign(data, 1, 0xFF);
    EXPECT_TRUE(fullWidthPreview(data.GetPreview(1)));
    data.SetPaper(*narrow);
    EXPECT_TRUE(fullWidthPreview(data.GetPreview(1)));
    data.ChangePaper(*narrow);
    data.SaveToFile(path);
    // 40 × 50 mm needs no shrinking.
    EXPECT_EQ(TLabelData::ReadPreviewFromFile(path, 0, 1).size(), QSize(152, 189));
}

QByteArray bitmapFile(QColor color) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

void replacePreview(const QString& path, int face, const QByteArray& bytes) {
    TFileStorage root(path, fmOpenReadWrite | fmShareExclusive);
    TDocStreamList previews(root, QStringLiteral("Sheets\\NameList0\\Preview"));
    while (previews.Count() <= face) previews.AddItem();
    previews.OpenItem(face, fmCreate)->WriteBytes(bytes);
    root.Commit();
}

TEST_F(LabelPreview, SavedPreviewsAreReadFromTheFileAndBitmapsAsWell) {
    const QString path = documentPath(QStringLiteral("preview_bitmap.lbx"));
    {
        TLabelData data(nullptr);
        data.SetPaper(*matrixPaper(QStringLiteral("A"), 2, 2));
        saveDesign(data, 0, 0xFF);
        saveDesign(data, 3, 0xFF00);
        data.SaveToFile(path);
    }
    EXPECT_EQ(TLabelData::ReadPreviewFromFile(path, 0, 0).pixelColor(20, 15), QColor(255, 0, 0));
    EXPECT_EQ(TLabelData::ReadPreviewFromFile(path, 0, 3).pixelColor(20, 15), QColor(0, 255, 0));
    EXPECT_TRUE(TLabelData::ReadPreviewFromFile(path, 0, 1).isNull());

    replacePreview(path, 0, bitmapFile(Qt::magenta));
    const QImage fromFile = TLabelData::ReadPreviewFromFile(path, 0, 0);
    EXPECT_EQ(fromFile.size(), QSize(3, 2));
    EXPECT_EQ(fromFile.pixelColor(1, 1), QColor(Qt::magenta));
    TLabelData read(nullptr);
    read.LoadFromFile(path);
    const QImage kept = read.GetPreview(0);
    EXPECT_EQ(kept.size(), QSize(3, 2)) << "a stored preview is shown as it is";
}

TEST_F(LabelPreview, OneDesignForAllFacesShowsFaceZerosPreviewEverywhere) {
    const QString path = documentPath(QStringLiteral("preview_shared.lbx"));
    {
        TLabelData data(nullptr);
        data.SetPaper(*matrixPaper(QStringLiteral("A"), 2, 2));
        data.setSeparatelyDesign(false);
        saveDesign(data, 2, 0xFF);
        data.SaveToFile(path);
    }
    for (int face : {0, 3}) EXPECT_TRUE(fullWidthPreview(TLabelData::ReadPreviewFromFile(path, 0, face))) << face;
}

TEST_F(LabelPreview, AnythingMissingOrUnreadableIsNoPreview) {
    const QString path = documentPath(QStringLiteral("preview_broken.lbx"));
    {
        TLabelData data(nullptr);
        data.SetPaper(*matrixPaper(QStringLiteral("A"), 4, 1));
        for (int face = 0; face < 4; ++face) saveDesign(data, face, 0xFF);
        data.SaveToFile(path);
    }
    replacePreview(path, 1, QByteArray());
    replacePreview(path, 2, QByteArray("BM\x10\x00\x00\x00garbage", 13));
    replacePreview(path, 3, QByteArray("\x89PNG\r\n\x1a\n broken", 15));
    const QString notCompound = documentPath(QStringLiteral("preview_not_compound.lbx"));
    {
        QFile file(notCompound);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("plain text");
    }
    ASSERT_FALSE(TLabelData::ReadPreviewFromFile(path, 0, 0).isNull());
    const struct {
        QString file;
        int sheet;
        int face;
    } cases[] = {
        {documentPath(QStringLiteral("no_such_file.lbx")), 0, 0},
        {notCompound, 0, 0},
        {path, 1, 0},
        {path, -1, 0},
        {path, 0, -1},
        {path, 0, 4},
        {path, 0, 1},
        {path, 0, 2},
        {path, 0, 3},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(TLabelData::ReadPreviewFromFile(c.file, c.sheet, c.face).isNull())
            << c.file.toStdString() << " " << c.sheet << " " << c.face;
}

}  // namespace
}  // namespace poremi
