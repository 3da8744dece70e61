#include "document/container/zlib_stream.h"
#include "document/model/document_model_classes.h"
#include "document/model/label_stream.h"
#include "document/model/object_list.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"
#include "test_objects.h"

#include <QtCore/QtEndian>
#include <gtest/gtest.h>

namespace poremi {
namespace {

using testing::OwnedList;
using testing::TTestBox;
using testing::TTestFrame;

class LabelStreamTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testing::registerTestObjects();
        registerDocumentModelClasses();
    }

    // A design in the order the site hands it over: the box on top of the frame.
    void SetUp() override {
        box.setName(QStringLiteral("Box1"));
        box.setRect({10, 20, 110, 220});
        box.setColor(0x123456);
        frame.setName(QStringLiteral("Frame1"));
        frame.setRect({5, 6, 7, 8});
        design.add(&box);
        design.add(&frame);
    }

    // A list read back holds the frame first (bottom), then the box, without names.
    static void expectDesign(const TDOList& read) {
        ASSERT_EQ(read.count(), 2);
        auto* bottom = dynamic_cast<TTestFrame*>(read.item(0));
        auto* top = dynamic_cast<TTestBox*>(read.item(1));
        ASSERT_NE(bottom, nullptr);
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(bottom->rect(), TRect(5, 6, 7, 8));
        EXPECT_EQ(top->rect(), TRect(10, 20, 110, 220));
        EXPECT_EQ(top->color(), 0x123456);
        EXPECT_TRUE(top->name().isEmpty());
        EXPECT_TRUE(bottom->name().isEmpty());
    }

    TTestBox box;
    TTestFrame frame;
    TDOList design;
};

TEST_F(LabelStreamTest, PlainStreamIsLabelDataResourceAndReadsBackBottomFirst) {
    const QByteArray bytes = labelStreamBytes(design);
    // The resource header names "LABELDATA" in upper case; the stream inside starts with "TPF0".
    EXPECT_TRUE(bytes.contains("LABELDATA"));
    EXPECT_EQ(bytes.mid(componentResourceHeaderSize(bytes), 4), "TPF0");
    EXPECT_FALSE(IsCompressedBytes(bytes));
    OwnedList read;
    readLabelStream(bytes, read.list);
    expectDesign(read.list);
}

TEST_F(LabelStreamTest, CompressedStreamHasSignatureLengthAndZlibDataAndReadsTheSame) {
    const QByteArray plain = labelStreamBytes(design);
    const QByteArray packed = compressedLabelStream(plain);
    ASSERT_GE(packed.size(), kCompressHeaderSize);
    EXPECT_EQ(packed.left(13), QByteArray("ZLIBCompress\x1A", 13));
    EXPECT_EQ(qFromLittleEndian<quint32>(packed.constData() + 13), quint32(plain.size()));
    // zlib header with the maximum-compression flag, inflated by Qt's own zlib wrapper.
    EXPECT_EQ(quint8(packed.at(17)), 0x78);
    EXPECT_EQ(quint8(packed.at(18)), 0xDA);
    QByteArray qtForm(4, '\0');
    qToBigEndian(quint32(plain.size()), qtForm.data());
    EXPECT_EQ(qUncompress(qtForm + packed.mid(17)), plain);
    // Compressing again changes nothing.
    EXPECT_EQ(compressedLabelStream(packed), packed);
    OwnedList read;
    readLabelStream(packed, read.list);
    expectDesign(read.list);
}

TEST_F(LabelStreamTest, EmptyListGivesNoBytesAndNoBytesAddNothing) {
    TDOList empty;
    EXPECT_TRUE(labelStreamBytes(empty).isEmpty());
    EXPECT_TRUE(compressedLabelStream(QByteArray()).isEmpty());
    OwnedList read;
    read.list.add(new TTestFrame);
    readLabelStream(QByteArray(), read.list);
    EXPECT_EQ(read.list.count(), 1);
}

TEST_F(LabelStreamTest, ReadAppendsAfterWhatTheListHeld) {
    OwnedList read;
    auto* first = new TTestBox;
    read.list.add(first);
    readLabelStream(labelStreamBytes(design), read.list);
    ASSERT_EQ(read.list.count(), 3);
    EXPECT_EQ(read.list.item(0), first);
}

TEST_F(LabelStreamTest, RootThatIsNotTheWrapperIsAnInvalidCastAndLeavesTheList) {
    OwnedList read;
    read.list.add(new TTestFrame);
    EXPECT_THROW(readLabelStream(componentResourceBytes(QStringLiteral("LabelData"), box), read.list), EInvalidCast);
    EXPECT_EQ(read.list.count(), 1);
}

TEST_F(LabelStreamTest, DamagedStreamsFailWithTheirKindAndLeaveTheList) {
    const QByteArray plain = labelStreamBytes(design);
    QByteArray wrongLength = compressedLabelStream(plain);
    qToLittleEndian(quint32(plain.size() + 1), wrongLength.data() + 13);
    QByteArray hugeLength = compressedLabelStream(plain);
    qToLittleEndian(quint32(0xFFFFFFF0u), hugeLength.data() + 13);
    OwnedList read;
    read.list.add(new TTestFrame);
    EXPECT_THROW(readLabelStream(wrongLength, read.list), EZLibError);
    EXPECT_THROW(readLabelStream(hugeLength, read.list), EZLibError);
    EXPECT_THROW(readLabelStream(plain.left(plain.size() - 3), read.list), EReadError);
    EXPECT_EQ(read.list.count(), 1);
}

}  // namespace
}  // namespace poremi
