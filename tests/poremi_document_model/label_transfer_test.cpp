// Copying, pasting, dragging, cutting and deleting labels, and the clipboard form they use.

#include "label_documents.h"
#include "test_objects.h"

#include "document/model/label_transfer.h"
#include "document/model/object_list.h"
#include "document/stream/stream_error.h"

#include <QtCore/QBuffer>
#include <QtCore/QMimeData>
#include <QtCore/QtEndian>
#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::designColor;
using testing::matrixPaper;
using testing::OwnedList;
using testing::saveDesign;
using testing::TTestBox;
using testing::TTestFrame;

const QString kMime = QString::fromLatin1(kSheetLabelMimeType);

// Answers every question with the same answer and keeps the texts asked.
struct Questions {
    bool answer = true;
    QStringList asked;
    LabelQuestion ask() {
        return [this](const QString& text) {
            asked << text;
            return answer;
        };
    }
};

class LabelTransfer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::registerLabelDocumentClasses(); }
};

TEST_F(LabelTransfer, CopyGivesTheObjectsFrontToBackWithTheFirstNamedAfterTheFaceSize) {
    for (const bool landscape : {false, true}) {
        TLabelData data(nullptr);
        auto paper = matrixPaper(QStringLiteral("A"), 2, 1);
        paper->setLandscape(landscape);
        data.SetPaper(*paper);
        EXPECT_EQ(copyLabel(data, 0), nullptr) << "nothing to copy";
        saveDesign(data, 0, 0x123);
        const std::unique_ptr<QMimeData> clip = copyLabel(data, 0);
        ASSERT_NE(clip, nullptr);
        QByteArray bytes = clip->data(kMime);
        ASSERT_GE(bytes.size(), 4);
        EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData()), 2);
        // 80 × 50 mm is 0x320 × 0x1F4 units; turned, the other way round.
        const char* name = landscape ? "Size000001F400000320" : "Size00000320000001F4";
        EXPECT_TRUE(bytes.contains(name)) << name;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        OwnedList read;
        read.list.readFrom(buffer);
        ASSERT_EQ(read.list.count(), 2);
        auto* top = dynamic_cast<TTestBox*>(read.list.item(0));
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(top->color(), 0x123);
        EXPECT_EQ(top->name(), QString::fromLatin1(name));
        EXPECT_NE(dynamic_cast<TTestFrame*>(read.list.item(1)), nullptr);
    }
}

TEST_F(LabelTransfer, ClipSizeIsReadOnlyFromAWellFormedName) {
    EXPECT_EQ(labelClipSize(QStringLiteral("Size00000320000001F4")), QSize(800, 500));
    EXPECT_EQ(labelClipSize(QStringLiteral("Size00000320000001f4")), QSize(800, 500));
    for (const char* bad : {"", "Size", "Size00000320", "Size00000320000001F40", "Size0000032G000001F4", "Box00000320000001F4"})
        EXPECT_EQ(labelClipSize(QString::fromLatin1(bad)), std::nullopt) << bad;
}

struct PasteCase {
    const char* what;
    int targetWidth;       // the source face is 800 wide
    bool targetHasDesign;
    bool answer;
    const char* question;  // "size", "replace" or none
    bool pasted;
};

TEST_F(LabelTransfer, PasteAsksAboutOtherSizesAndExistingDesigns) {
    const PasteCase cases[] = {
        {"same size, empty", 800, false, false, nullptr, true},
        {"2 mm wider is the same size", 820, false, false, nullptr, true},
        {"existing design, yes", 800, true, true, "replace", true},
        {"existing design, no", 800, true, false, "replace", false},
        {"2.1 mm wider, yes", 821, true, true, "size", true},
        {"smaller, no", 700, false, false, "size", false},
    };
    TLabelData source(nullptr);
    source.SetPaper(*matrixPaper(QStringLiteral("A"), 1, 1));
    saveDesign(source, 0, 0xABC);
    const std::unique_ptr<QMimeData> clip = copyLabel(source, 0);
    ASSERT_NE(clip, nullptr);
    for (const PasteCase& c : cases) {
        TLabelData target(nullptr);
        auto paper = matrixPaper(QStringLiteral("B"), 2, 1);
        paper->setFaceWidth(c.targetWidth);
        target.SetPaper(*paper);
        if (c.targetHasDesign) saveDesign(target, 1, 0x1);
        Questions questions{c.answer, {}};
        EXPECT_EQ(pasteLabel(target, 1, *clip, questions.ask()), c.pasted) << c.what;
        QStringList expected;
        if (c.question) expected << (QByteArray(c.question) == "size" ? labelSizeDiffersQuestion() : labelReplaceQuestion());
        EXPECT_EQ(questions.asked, expected) << c.what;
        EXPECT_EQ(designColor(target, 1), c.pasted ? 0xABC : c.targetHasDesign ? 0x1 : -1) << c.what;
    }
}

std::unique_ptr<QMimeData> clipOf(const QByteArray& bytes) {
    auto clip = std::make_unique<QMimeData>();
    clip->setData(kMime, bytes);
    return clip;
}

TEST_F(LabelTransfer, UntrustedClipboardDataIsCheckedBeforeUse) {
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("A"), 1, 1));
    saveDesign(data, 0, 0x55);
    Questions questions;

    QMimeData other;
    other.setText(QStringLiteral("Size00000320000001F4"));
    EXPECT_FALSE(pasteLabel(data, 0, other, questions.ask()));
    EXPECT_FALSE(pasteLabel(data, 0, *clipOf(QByteArray(4, '\0')), questions.ask())) << "an empty list";
    EXPECT_TRUE(questions.asked.isEmpty());

    // A broken stream fails with the stream's error and leaves the design.
    QByteArray broken = copyLabel(data, 0)->data(kMime);
    broken.chop(5);
    EXPECT_THROW(pasteLabel(data, 0, *clipOf(broken), questions.ask()), EReadError);
    EXPECT_EQ(designColor(data, 0), 0x55);

    // Without a size in the first name the size is unknown, and the user is told.
    TTestBox box;
    box.setName(QStringLiteral("Box1"));
    box.setRect({-400, -400, -300, -300});
    TDOList list;
    list.add(&box);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    list.writeTo(buffer);
    EXPECT_TRUE(pasteLabel(data, 0, *clipOf(bytes), questions.ask()));
    EXPECT_EQ(questions.asked, QStringList{labelSizeDiffersQuestion()});
    OwnedList read;
    data.LoadLabelObjects(0, read.list);
    ASSERT_EQ(read.list.count(), 1);
    EXPECT_EQ(rectCenter(read.list.item(0)->getBounds()), QPoint(10, 10)) << "kept on the face";
}

TEST_F(LabelTransfer, DragCopiesOrMovesButNeverOntoTheSameDesign) {
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("A"), 2, 2));
    saveDesign(data, 0, 0x10);
    Questions questions;
    EXPECT_FALSE(dragLabel(data, 1, 2, false, questions.ask())) << "no design to drag";
    EXPECT_TRUE(dragLabel(data, 0, 1, false, questions.ask()));
    EXPECT_EQ(designColor(data, 0), 0x10);
    EXPECT_EQ(designColor(data, 1), 0x10);
    EXPECT_TRUE(dragLabel(data, 0, 2, true, questions.ask()));
    EXPECT_FALSE(data.HasLabelData(0)) << "moved";
    EXPECT_EQ(designColor(data, 2), 0x10);
    EXPECT_TRUE(questions.asked.isEmpty());

    EXPECT_FALSE(dragLabel(data, 2, 2, true, questions.ask()));
    EXPECT_EQ(designColor(data, 2), 0x10) << "moved onto itself";
    data.setSeparatelyDesign(false);
    saveDesign(data, 0, 0x20);
    EXPECT_FALSE(dragLabel(data, 0, 3, true, questions.ask()));
    EXPECT_EQ(designColor(data, 3), 0x20) << "every face shares the one design";
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(LabelTransfer, DeleteAndCutAskFirst) {
    TLabelData data(nullptr);
    data.SetPaper(*matrixPaper(QStringLiteral("A"), 2, 1));
    saveDesign(data, 0, 0x30);
    saveDesign(data, 1, 0x31);
    Questions no{false, {}};
    EXPECT_FALSE(deleteLabel(data, 0, no.ask()));
    EXPECT_EQ(cutLabel(data, 1, no.ask()), nullptr);
    EXPECT_EQ(no.asked, QStringList({labelDeleteQuestion(), labelDeleteQuestion()}));
    EXPECT_TRUE(data.HasLabelData(0));
    EXPECT_TRUE(data.HasLabelData(1));

    Questions yes;
    EXPECT_TRUE(deleteLabel(data, 0, yes.ask()));
    EXPECT_FALSE(data.HasLabelData(0));
    const std::unique_ptr<QMimeData> clip = cutLabel(data, 1, yes.ask());
    ASSERT_NE(clip, nullptr);
    EXPECT_FALSE(data.HasLabelData(1));
    EXPECT_TRUE(pasteLabel(data, 0, *clip, yes.ask()));
    EXPECT_EQ(designColor(data, 0), 0x31);
}

}  // namespace
}  // namespace poremi
