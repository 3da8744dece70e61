// Fixtures written by hand from the byte layout of the format; the writer must reproduce them
// byte for byte and the reader must decode them to the same values.

#include "document/stream/class_registry.h"
#include "document/stream/component_stream.h"
#include "document/stream/name_tables.h"
#include "fuzz/support/sample_classes.h"
#include "tests/poremi_docstream/golden_fixtures.h"
#include "tests/poremi_docstream/stream_fixture.h"

#include <QtCore/QBuffer>
#include <functional>
#include <gtest/gtest.h>

using namespace poremi;
using namespace poremi::sample;
using poremi::test::fixture;

namespace {

const char* const kHead = "'TPF0' 0D 'TSampleObject' 03 'Obj'";
// What every sample object writes: Top and Locked have no default, a collection is always written.
const char* const kTop = "03 'Top' 02 00";
const char* const kLocked = "06 'Locked' 08";
const char* const kItems = "05 'Items' 0E 00";
const char* const kTail = "00 00";  // end of properties, no children

class GoldenStream : public ::testing::Test {
protected:
    void SetUp() override { registerSampleClasses(); }

    static std::unique_ptr<TSampleObject> sample() { return test::freshObject(); }

    static std::unique_ptr<TSampleObject> read(const QByteArray& bytes) {
        std::unique_ptr<TComponent> root = test::readStream(bytes);
        auto* typed = dynamic_cast<TSampleObject*>(root.get());
        EXPECT_NE(typed, nullptr);
        root.release();
        return std::unique_ptr<TSampleObject>(typed);
    }
};

TEST_F(GoldenStream, FreshObjectWritesOnlyPropertiesWithoutDefault) {
    const QByteArray expected = fixture(test::kFreshObject.bytes);
    EXPECT_EQ(test::streamOf(*sample()).toHex(' '), expected.toHex(' '));
    const auto back = read(expected);
    EXPECT_EQ(back->name(), "Obj");
    EXPECT_EQ(back->title(), "untitled");
    EXPECT_EQ(back->ratio(), 1.5);
    EXPECT_EQ(back->loadedCalls, 1);
}

struct IntegerCase {
    qint64 value;
    const char* bytes;  // the property entry
};

TEST_F(GoldenStream, IntegerWidthFollowsTheValue) {
    const IntegerCase cases[] = {
        {127, "04 'Left' 02 7F"},
        {128, "04 'Left' 03 80 00"},
        {-128, "04 'Left' 02 80"},
        {-129, "04 'Left' 03 7F FF"},
        {32767, "04 'Left' 03 FF 7F"},
        {-32768, "04 'Left' 03 00 80"},
        {-32769, "04 'Left' 04 FF 7F FF FF"},
        {2147483647, "04 'Left' 04 FF FF FF 7F"},
    };
    for (const IntegerCase& c : cases) {
        auto object = sample();
        object->setLeft(static_cast<int>(c.value));
        const QByteArray expected =
            fixture(kHead) + fixture(c.bytes) + fixture(kTop) + fixture(kLocked) + fixture(kItems) + fixture(kTail);
        EXPECT_EQ(test::streamOf(*object).toHex(' '), expected.toHex(' ')) << c.value;
        EXPECT_EQ(read(expected)->left(), c.value);
    }
}

TEST_F(GoldenStream, SixtyFourBitValuesUseInt64OnlyBeyondThirtyTwoBits) {
    const IntegerCase cases[] = {
        {100, "03 'Big' 02 64"},
        {-2147483648LL, "03 'Big' 04 00 00 00 80"},
        {4294967296LL, "03 'Big' 13 00 00 00 00 01 00 00 00"},
        {-2147483649LL, "03 'Big' 13 FF FF FF 7F FF FF FF FF"},
    };
    for (const IntegerCase& c : cases) {
        auto object = sample();
        object->setBig(c.value);
        const QByteArray expected =
            fixture(kHead) + fixture(kTop) + fixture(c.bytes) + fixture(kLocked) + fixture(kItems) + fixture(kTail);
        EXPECT_EQ(test::streamOf(*object).toHex(' '), expected.toHex(' ')) << c.value;
        EXPECT_EQ(read(expected)->big(), c.value);
    }
}

TEST_F(GoldenStream, StringTypeFollowsLengthAndCodePage) {
    struct Case {
        QString text;
        QByteArray entry;
    };
    const Case cases[] = {
        {QString(255, u'a'), fixture("07 'Caption' 06 FF") + QByteArray(255, 'a')},
        {QString(256, u'a'), fixture("07 'Caption' 0C 00 01 00 00") + QByteArray(256, 'a')},
        {QStringLiteral("テキスト"), fixture("07 'Caption' 06 08 83 65 83 4C 83 58 83 67")},
        // Hangul has no CP932 form: a wide string keeps it.
        {QStringLiteral("a한"), fixture("07 'Caption' 12 02 00 00 00 61 00 5C D5")},
    };
    for (const Case& c : cases) {
        auto object = sample();
        object->setCaption(c.text);
        const QByteArray expected =
            fixture(kHead) + fixture(kTop) + c.entry + fixture(kLocked) + fixture(kItems) + fixture(kTail);
        EXPECT_EQ(test::streamOf(*object).toHex(' '), expected.toHex(' ')) << c.text.size();
        EXPECT_EQ(read(expected)->caption(), c.text);
    }
}

TEST_F(GoldenStream, EveryKindOfPropertyInDeclarationOrder) {
    const QByteArray expected = fixture(test::kEveryKindOfProperty.bytes);
    const auto object = test::everyKindOfProperty();
    EXPECT_EQ(test::streamOf(*object).toHex(' '), expected.toHex(' '));

    const auto back = read(expected);
    EXPECT_EQ(back->left(), 300);
    EXPECT_EQ(back->top(), -10);
    EXPECT_EQ(back->caption(), "Hi");
    EXPECT_EQ(back->title(), "");
    EXPECT_EQ(back->ratio(), 0.0);
    EXPECT_EQ(back->date(), 36526.5);
    EXPECT_FALSE(back->visible());
    EXPECT_TRUE(back->locked());
    EXPECT_EQ(back->shape(), LineShape::lsDot);
    EXPECT_EQ(back->options(), soBold | soUnderline);
    EXPECT_EQ(back->color(), 0x0000FF);
    EXPECT_EQ(back->cursor(), -21);
    EXPECT_EQ(back->charset(), 128);
    EXPECT_EQ(back->mark(), '#');
    EXPECT_EQ(back->hidden(), 0);
    EXPECT_EQ(back->conditional(), 5);
    EXPECT_EQ(back->grid()->lineShape(), LineShape::lsDash);
    EXPECT_EQ(back->grid()->size(), 5);
    EXPECT_EQ(back->grid()->pen()->color(), 0x123456);
    EXPECT_EQ(back->lines()->lines(), QStringList({"a", "", "b"}));
    ASSERT_EQ(back->items()->count(), 2);
    EXPECT_EQ((*back->items())[0].id(), "CD");
    EXPECT_EQ((*back->items())[0].value(), 3);
    EXPECT_EQ((*back->items())[1].id(), "");
    EXPECT_EQ(back->points, QList<QPoint>({QPoint(1, 2), QPoint(-3, 4)}));
}

TEST_F(GoldenStream, ReaderAcceptsEveryEncodingOfAValue) {
    const QByteArray stream = fixture(R"(
        'TPF0' 0D 'TSampleObject' 00
        04 'left' 04 05 00 00 00                  # int32 for a small value, name in other case
        03 'Top' 13 F9 FF FF FF FF FF FF FF       # int64 -7
        07 'Caption' 0C 03 00 00 00 'abc'
        05 'Title' 12 01 00 00 00 42 30           # wide string "あ"
        05 'Ratio' 0F 00 00 20 40                 # single 2.5
        04 'Date' 11 00 00 00 00 00 00 F0 3F      # date 1.0
        05 'Color' 07 05 'CLRED'                  # names are case-insensitive
        06 'Cursor' 02 FD                         # a cursor as a plain integer
        0D 'Lines.Strings' 01 0C 01 00 00 00 'x' 12 01 00 00 00 5C D5 00
        05 'Items' 0E
          02 00 01 02 'ID' 06 01 'p' 00            # item with index 0
          02 01 01 02 'ID' 06 01 'q' 00            # item with index 1
        00
        00 00)");
    const auto back = read(stream);
    EXPECT_EQ(back->left(), 5);
    EXPECT_EQ(back->top(), -7);
    EXPECT_EQ(back->caption(), "abc");
    EXPECT_EQ(back->title(), "あ");
    EXPECT_EQ(back->ratio(), 2.5);
    EXPECT_EQ(back->date(), 1.0);
    EXPECT_EQ(back->color(), 0x0000FF);
    EXPECT_EQ(back->cursor(), -3);
    EXPECT_EQ(back->lines()->lines(), QStringList({"x", "한"}));
    ASSERT_EQ(back->items()->count(), 2);
    EXPECT_EQ((*back->items())[1].id(), "q");

    // Currency is the value times 10000.
    const auto currency = read(fixture("'TPF0' 0D 'TSampleObject' 00 05 'Ratio' 10 88 13 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(currency->ratio(), 0.5);
}

TEST_F(GoldenStream, ResourceHeaderOfLabelData) {
    auto object = sample();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteComponentRes(buffer, QStringLiteral("LabelData"), *object);
    const QByteArray body = test::streamOf(*object);
    const QByteArray expected = fixture("FF 0A 00 'LABELDATA' 00 30 10") +
                                fixture("00 00 00 00").replace(0, 1, QByteArray(1, char(body.size()))) + body;
    ASSERT_LT(body.size(), 256);
    EXPECT_EQ(buffer.data().toHex(' '), expected.toHex(' '));
    EXPECT_EQ(componentResourceHeaderSize(expected), 19);

    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    const std::unique_ptr<TComponent> back = ReadComponentRes(buffer);
    EXPECT_EQ(back->name(), "Obj");
    EXPECT_EQ(buffer.pos(), expected.size());
}

TEST_F(GoldenStream, ResourceNameIsCutAtSixtyThreeBytes) {
    const QByteArray bytes = componentResourceBytes(QString(70, u'x'), *sample());
    EXPECT_EQ(bytes.mid(3, 64), QByteArray(63, 'X') + '\0');
}

TEST_F(GoldenStream, ChildrenFollowTheProperties) {
    const QByteArray expected = fixture(test::kChildrenFollowTheProperties.bytes);
    const auto root = test::childrenFollowTheProperties();
    EXPECT_EQ(test::streamOf(*root).toHex(' '), expected.toHex(' '));

    const std::unique_ptr<TComponent> back = test::readStream(expected);
    ASSERT_EQ(back->components().size(), 2u);
    EXPECT_EQ(back->components()[0]->name(), "A");
    ASSERT_EQ(back->components()[0]->components().size(), 1u);
    EXPECT_EQ(back->components()[0]->components()[0]->name(), "A1");
    EXPECT_EQ(back->components()[1]->name(), "B");
}

TEST_F(GoldenStream, PrefixedRecordsAreRead) {
    // Inherited flag (1) and child position (2, followed by an integer).
    const QByteArray stream = fixture(R"(
        'TPF0' F1 0C 'TSampleGroup' 01 'R' 00
          F2 02 05 0C 'TSampleGroup' 01 'C' 00 00
        00)");
    const std::unique_ptr<TComponent> back = test::readStream(stream);
    ASSERT_EQ(back->components().size(), 1u);
    EXPECT_EQ(back->components()[0]->name(), "C");
}

}  // namespace
