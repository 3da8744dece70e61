// Every failure of reading gives the reader's kind of fault and message; a failing read frees what it created.

#include "document/stream/component_reader.h"
#include "document/stream/component_stream.h"
#include "fuzz/support/sample_classes.h"
#include "tests/poremi_docstream/stream_fixture.h"

#include <QtCore/QBuffer>
#include <gtest/gtest.h>

using namespace poremi;
using namespace poremi::sample;
using poremi::test::failure;
using poremi::test::failureOf;
using poremi::test::fixture;

namespace {

class ReadErrors : public ::testing::Test {
protected:
    void SetUp() override {
        registerSampleClasses();
        live_ = TSampleObject::liveCount();
    }
    // Sample objects made and not freed since the test began (class prototypes are kept).
    int leftAlive() const { return TSampleObject::liveCount() - live_; }

private:
    int live_ = 0;
};

struct ErrorCase {
    const char* what;
    const char* stream;
    StreamFault fault;
    const char* message;
};

TEST_F(ReadErrors, EachFailureHasItsMessage) {
    const ErrorCase cases[] = {
        {"bad signature", "'TPF1' 0D 'TSampleObject' 00 00 00", StreamFault::InvalidFormat, "不正なストリーム フォーマット"},
        {"empty stream", "", StreamFault::InvalidFormat, "不正なストリーム フォーマット"},
        {"unknown class", "'TPF0' 07 'TNobody' 00 00 00", StreamFault::ClassNotFound, "クラス TNobody が見つかりません"},
        {"unknown child class", "'TPF0' 0C 'TSampleGroup' 00 00 06 'TGhost' 01 'G' 00 00 00 00",
         StreamFault::ClassNotFound, "クラス TGhost が見つかりません"},
        {"a non-component class", "'TPF0' 0A 'TSamplePen' 00 00 00", StreamFault::ClassNotFound, "クラス TSamplePen が見つかりません"},
        {"unknown property", "'TPF0' 0D 'TSampleObject' 00 05 'Width' 02 01 00 00", StreamFault::PropertyNotFound, "プロパティが存在しません"},
        {"unknown path step", "'TPF0' 0D 'TSampleObject' 00 0A 'Frame.Size' 02 01 00 00", StreamFault::PropertyNotFound, "プロパティが存在しません"},
        {"unknown sub-property", "'TPF0' 0D 'TSampleObject' 00 0A 'Grid.Color' 02 01 00 00", StreamFault::PropertyNotFound, "プロパティが存在しません"},
        {"path through an integer", "'TPF0' 0D 'TSampleObject' 00 09 'Left.Size' 02 01 00 00",
         StreamFault::InvalidPropertyPath, "不正なプロパティのパスです"},
        {"string for an integer", "'TPF0' 0D 'TSampleObject' 00 04 'Left' 06 01 'x' 00 00", StreamFault::InvalidPropertyValue, "不正なプロパティの値です"},
        {"integer for a string", "'TPF0' 0D 'TSampleObject' 00 07 'Caption' 02 01 00 00", StreamFault::InvalidPropertyValue, "不正なプロパティの値です"},
        {"unknown enumeration name", "'TPF0' 0D 'TSampleObject' 00 05 'Shape' 07 03 'lsX' 00 00",
         StreamFault::InvalidPropertyValue, "不正なプロパティの値です"},
        {"unknown set member", "'TPF0' 0D 'TSampleObject' 00 07 'Options' 0B 03 'soX' 00 00 00",
         StreamFault::InvalidPropertyValue, "不正なプロパティの値です"},
        {"unknown colour name", "'TPF0' 0D 'TSampleObject' 00 05 'Color' 07 05 'clFoo' 00 00", StreamFault::InvalidPropertyValue, "不正なプロパティの値です"},
        {"identifier for a plain integer", "'TPF0' 0D 'TSampleObject' 00 04 'Left' 07 05 'clRed' 00 00",
         StreamFault::InvalidPropertyValue, "不正なプロパティの値です"},
        {"out of range for int16", "'TPF0' 0D 'TSampleObject' 00 05 'Small' 04 00 00 01 00 00 00",
         StreamFault::InvalidPropertyValue, "不正なプロパティの値です"},
        {"two characters for a character", "'TPF0' 0D 'TSampleObject' 00 04 'Mark' 06 02 'ab' 00 00",
         StreamFault::InvalidPropertyValue, "不正なプロパティの値です"},
        {"list for a Boolean", "'TPF0' 0D 'TSampleObject' 00 07 'Visible' 01 00 00 00", StreamFault::InvalidPropertyValue, "不正なプロパティの値です"},
        {"integer for a collection", "'TPF0' 0D 'TSampleObject' 00 05 'Items' 02 00 00 00", StreamFault::InvalidPropertyValue, "不正なプロパティの値です"},
        {"string list without its list", "'TPF0' 0D 'TSampleObject' 00 0D 'Lines.Strings' 06 01 'a' 00 00",
         StreamFault::InvalidPropertyValue, "不正なプロパティの値です"},
        {"ends inside a name", "'TPF0' 0D 'TSample", StreamFault::ReadError, "ストリームからの読み込みエラー"},
        {"ends inside a value", "'TPF0' 0D 'TSampleObject' 00 04 'Left' 04 01 00", StreamFault::ReadError, "ストリームからの読み込みエラー"},
        {"ends before the property list ends", "'TPF0' 0D 'TSampleObject' 00 04 'Left' 02 01",
         StreamFault::ReadError, "ストリームからの読み込みエラー"},
        {"ends before the children end", "'TPF0' 0D 'TSampleObject' 00 00", StreamFault::ReadError, "ストリームからの読み込みエラー"},
        {"duplicate child name", "'TPF0' 0C 'TSampleGroup' 00 00 0C 'TSampleGroup' 01 'A' 00 00 0C 'TSampleGroup' 01 'a' 00 00 00",
         StreamFault::DuplicateName, "コンポーネント名 a はすでに使われています"},
    };
    for (const ErrorCase& c : cases) {
        EXPECT_EQ(failureOf([&] { test::readStream(fixture(c.stream)); }), failure(c.fault, c.message)) << c.what;
        EXPECT_EQ(leftAlive(), 0) << c.what;
    }
}

TEST_F(ReadErrors, ResourceHeaderIsChecked) {
    const ErrorCase cases[] = {
        {"first byte", "FE 0A 00 'X' 00 30 10 00 00 00 00 'TPF0'", StreamFault::InvalidFormat, "不正なストリーム フォーマット"},
        {"resource type", "FF 0B 00 'X' 00 30 10 00 00 00 00 'TPF0'", StreamFault::InvalidFormat, "不正なストリーム フォーマット"},
        {"too short", "FF 0A", StreamFault::InvalidFormat, "不正なストリーム フォーマット"},
        {"ends inside flags", "FF 0A 00 'X' 00 30", StreamFault::ReadError, "ストリームからの読み込みエラー"},
        {"signature after the header", "FF 0A 00 'X' 00 30 10 00 00 00 00 'TPFX'", StreamFault::InvalidFormat, "不正なストリーム フォーマット"},
    };
    for (const ErrorCase& c : cases) {
        EXPECT_EQ(failureOf([&] {
                      QBuffer buffer;
                      buffer.setData(fixture(c.stream));
                      buffer.open(QIODevice::ReadOnly);
                      ReadComponentRes(buffer);
                  }),
                  failure(c.fault, c.message))
            << c.what;
    }
    // A name without its terminating 0 within the first 79 bytes.
    const QByteArray unterminated = fixture("FF 0A 00") + QByteArray(100, 'N');
    EXPECT_EQ(failureOf([&] {
                  QBuffer buffer;
                  buffer.setData(unterminated);
                  buffer.open(QIODevice::ReadOnly);
                  ReadComponentRes(buffer);
              }),
              failure(StreamFault::InvalidFormat, "不正なストリーム フォーマット"));
}

TEST_F(ReadErrors, FailingReadFreesEveryCreatedChild) {
    // Two children are made before the third fails; the root itself is also freed.
    const QByteArray stream = fixture(R"(
        'TPF0' 0C 'TSampleGroup' 00 00
          0D 'TSampleObject' 01 'A' 00 00
          0D 'TSampleObject' 01 'B' 04 'Left' 02 07 00 00
          0D 'TSampleObject' 01 'C' 05 'Bogus' 02 07 00 00
        00)");
    EXPECT_EQ(failureOf([&] { test::readStream(stream); }), failure(StreamFault::PropertyNotFound, "プロパティが存在しません"));
    EXPECT_EQ(leftAlive(), 0);
}

TEST_F(ReadErrors, GivenRootKeepsWhatWasReadButLosesCreatedChildren) {
    const QByteArray stream = fixture(R"(
        'TPF0' 0C 'TSampleGroup' 04 'Root' 05 'Level' 02 09 00
          0D 'TSampleObject' 01 'A' 00 00
          0D 'TSampleObject' 01 'A' 00 00
        00)");
    TSampleGroup root;
    EXPECT_EQ(failureOf([&] { test::readStreamInto(stream, root); }), failure(StreamFault::DuplicateName, "コンポーネント名 A はすでに使われています"));
    EXPECT_EQ(root.level(), 9);
    EXPECT_TRUE(root.components().empty());
    EXPECT_EQ(leftAlive(), 0);
}

TEST_F(ReadErrors, OneReaderReadsRootsInTurnAndAFailureFreesOnlyItsOwn) {
    const QByteArray stream = fixture(R"(
        'TPF0' 0C 'TSampleGroup' 04 'Root' 00
          0D 'TSampleObject' 01 'A' 00 00
        00
        'TPF0' 0C 'TSampleGroup' 04 'Next' 00
          0D 'TSampleObject' 01 'B' 05 'Bogus' 02 07 00 00
        00)");
    ComponentReader reader(stream);
    const std::unique_ptr<TComponent> first = reader.readRootComponent(nullptr);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->name(), "Root");
    EXPECT_EQ(failureOf([&] { reader.readRootComponent(nullptr); }), failure(StreamFault::PropertyNotFound, "プロパティが存在しません"));
    // The first root's child stays alive; the second root's child is freed.
    EXPECT_EQ(leftAlive(), 1);
    ASSERT_EQ(first->components().size(), 1u);
    EXPECT_EQ(first->components().front()->name(), "A");
}

TEST_F(ReadErrors, TypedReadRefusesAnotherRootClass) {
    TSampleGroup group;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    WriteComponentRes(buffer, QStringLiteral("X"), group);
    buffer.seek(0);
    try {
        ReadComponentResAs<TSampleObject>(buffer);
        FAIL();
    } catch (const EInvalidCast& error) {
        EXPECT_EQ(error.message(), QStringLiteral("無効なクラス型キャスト"));
    }
}

}  // namespace
