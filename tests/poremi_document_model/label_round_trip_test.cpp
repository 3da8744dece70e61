// A document of two sheets on a matrix and a free paper, designed face by face and with one
// design for all faces, saved, reopened and saved again.

#include "label_documents.h"
#include "test_objects.h"

#include "document/container/doc_name_list.h"
#include "document/container/doc_storage.h"
#include "document/container/doc_stream.h"
#include "document/container/storage_mode.h"
#include "document/container/zlib_stream.h"
#include "document/model/object_list.h"
#include "document/stream/component_stream.h"

#include <QtCore/QMap>
#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::documentPath;
using testing::matrixPaper;
using testing::OwnedList;
using testing::TTestBackground;
using testing::TTestBox;
using testing::TTestDate;

std::unique_ptr<TFreePaperInfo> freePaper() {
    auto paper = std::make_unique<TFreePaperInfo>();
    paper->setPaperName(QStringLiteral("自由配置"));
    paper->setPhysicalSize(1820, 2570);
    paper->faces().add().setFaceRect({100, 100, 1300, 1300});
    TFaceItem& second = paper->faces().add();
    second.setFaceRect({100, 1400, 1000, 2000});
    second.setFaceMargin(15);
    return paper;
}

// A design of its own for the face: a box of the face's colour, a date, and a framed background.
void design(TLabelData& data, int face) {
    TTestBox box;
    box.setRect({20 + face, 30, 400, 200});
    box.setColor(0x10 * (face + 1));
    box.setBlendRatio(60 + face);
    box.appendix().setLines({QStringLiteral("メモ %1").arg(face)});
    TTestDate date;
    date.setRect({50, 300, 250, 350});
    date.setDateUpdateFlag(face % 2 == 0 ? 3 : 0);
    date.setDate(45000.5);
    TTestBackground background;
    background.setFramed(true);
    TDOList list;
    list.add(&box);
    list.add(&date);
    list.add(&background);
    data.SaveLabelObjects(face, list);
}

// Every label stream of the file, inflated, by its path.
QMap<QString, QByteArray> labelStreams(const QString& file) {
    TFileStorage root(file, fmOpenRead | fmShareExclusive);
    TDocStorageList sheets(root, QStringLiteral("Sheets\\NameList"));
    QMap<QString, QByteArray> streams;
    for (int sheet = 0; sheet < sheets.Count(); ++sheet) {
        TDocStreamList labels(root, sheets.ItemPath(sheet) + QStringLiteral("\\NameList"));
        for (int k = 0; k < labels.Count(); ++k) {
            if (!labels.ItemExists(k)) continue;
            const QByteArray bytes = labels.OpenItem(k, fmOpenRead | fmShareExclusive)->ReadRest();
            EXPECT_TRUE(bytes.isEmpty() || IsCompressedBytes(bytes)) << labels.ItemPath(k).toStdString();
            streams.insert(labels.ItemPath(k), bytes.isEmpty() ? bytes : DecompressBytes(bytes));
        }
    }
    return streams;
}

// Each object's own stream, in the order the face gives them.
QList<QByteArray> objectStreams(TLabelData& data, int face) {
    OwnedList read;
    data.LoadLabelObjects(face, read.list);
    QList<QByteArray> streams;
    for (const TDrawObject* object : read.list.items()) streams << componentStreamBytes(*object);
    return streams;
}

class LabelRoundTrip : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::registerLabelDocumentClasses(); }
};

TEST_F(LabelRoundTrip, SavedLoadedAndSavedAgainGivesTheSameObjectsAndLabelStreams) {
    const QString first = documentPath(QStringLiteral("round_trip_1.lbx"));
    const QString second = documentPath(QStringLiteral("round_trip_2.lbx"));
    TLabelData original(nullptr);
    original.setDataName(QStringLiteral("往復"));
    original.SetPaper(*matrixPaper(QStringLiteral("Matrix"), 2, 2));
    for (int face : {0, 1, 3}) design(original, face);
    original.AddNewSheet();
    original.SetPaper(*freePaper());
    original.setSeparatelyDesign(false);
    design(original, 1);
    original.SaveToFile(first);

    TLabelData reopened(nullptr);
    reopened.LoadFromFile(first);
    ASSERT_EQ(reopened.SheetCount(), 2);
    for (int sheet : {0, 1}) {
        original.SetCurrentSheet(sheet);
        reopened.SetCurrentSheet(sheet);
        EXPECT_EQ(componentStreamBytes(*reopened.Paper()), componentStreamBytes(*original.Paper())) << sheet;
        EXPECT_EQ(reopened.separatelyDesign(), sheet == 0);
        for (int face = 0; face < original.Paper()->getFaceCount(); ++face) {
            const QList<QByteArray> objects = objectStreams(original, face);
            EXPECT_EQ(objects.size(), sheet == 0 && face == 2 ? 0 : 3) << sheet << "/" << face;
            EXPECT_EQ(objectStreams(reopened, face), objects) << sheet << "/" << face;
        }
    }
    reopened.SaveToFile(second);
    const QMap<QString, QByteArray> before = labelStreams(first);
    EXPECT_EQ(before.size(), 4);
    EXPECT_EQ(labelStreams(second), before);
}

}  // namespace
}  // namespace poremi
