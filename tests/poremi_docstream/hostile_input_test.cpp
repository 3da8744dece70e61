// Hostile lengths and nesting end in the reader's errors, never in a crash, a hang or a huge
// allocation.

#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "fuzz/support/sample_classes.h"
#include "tests/poremi_docstream/stream_fixture.h"

#include <gtest/gtest.h>

using namespace poremi;
using namespace poremi::sample;
using poremi::test::errorOf;
using poremi::test::fixture;

namespace {

class HostileInput : public ::testing::Test {
protected:
    void SetUp() override { registerSampleClasses(); }

    // The message of both the reader and the structural decoder.
    static void expectBoth(const QByteArray& stream, const QString& message) {
        EXPECT_EQ(errorOf([&] { test::readStream(stream); }), message);
        EXPECT_EQ(errorOf([&] { dumpComponentStream(stream); }), message);
    }
};

TEST_F(HostileInput, LengthsBeyondTheDataAreReadErrors) {
    const char* const cases[] = {
        "'TPF0' 0D 'TSampleObject' 00 07 'Caption' 0C FF FF FF 7F 'abc' 00 00",    // long string
        "'TPF0' 0D 'TSampleObject' 00 07 'Caption' 0C 00 00 00 80 00 00",          // negative length
        "'TPF0' 0D 'TSampleObject' 00 07 'Caption' 12 FF FF FF 3F 'ab' 00 00",     // wide string counts chars
        "'TPF0' 0D 'TSampleObject' 00 07 'Caption' 12 03 00 00 00 'abcde' 00 00",  // 3 chars need 6 bytes
        "'TPF0' 0D 'TSampleObject' 00 06 'Points' 0A FF FF FF FF 00 00",           // binary
        "'TPF0' 0D 'TSampleObject' 00 06 'Points' 0A 0C 00 00 00 FF FF FF 7F 00 00 00 00 00 00 00 00",  // count inside
        "'TPF0' 0D 'TSampleObject' 00 07 'Caption' 06 40 'short' 00 00",           // short string
    };
    for (const char* stream : cases) {
        EXPECT_EQ(errorOf([&] { test::readStream(fixture(stream)); }), "ストリームからの読み込みエラー") << stream;
    }
    expectBoth(fixture("'TPF0' 0D 'TSampleObject' 00 07 'Caption' 0C FF FF FF 7F 00 00"), "ストリームからの読み込みエラー");
}

TEST_F(HostileInput, NestingIsCapped) {
    // 100000 nested child records and as many nested lists.
    QByteArray children = fixture("'TPF0'");
    for (int i = 0; i < 100000; ++i) children += fixture("0C 'TSampleGroup' 00 00");
    expectBoth(children, "ストリームからの読み込みエラー");

    // The decoder descends into nested lists; the reader never needs to.
    QByteArray lists = fixture("'TPF0' 0D 'TSampleObject' 00 07 'Caption'");
    lists += QByteArray(100000, '\x01');
    EXPECT_EQ(errorOf([&] { dumpComponentStream(lists); }), "ストリームからの読み込みエラー");
    EXPECT_EQ(errorOf([&] { test::readStream(lists); }), "不正なプロパティの値です");
}

TEST_F(HostileInput, UnknownValueTypeIsAFormatError) {
    expectBoth(fixture("'TPF0' 0D 'TSampleObject' 00 04 'Left' 2A 00 00"), "不正なストリーム フォーマット");
}

TEST_F(HostileInput, LongFlatListsAreNotMistakenForNesting) {
    QByteArray stream = fixture("'TPF0' 0D 'TSampleObject' 00 05 'Items' 0E");
    for (int i = 0; i < 20000; ++i) stream += fixture("01 02 'ID' 06 01 'x' 00");
    stream += fixture("00 00 00");
    EXPECT_EQ(errorOf([&] { test::readStream(stream); }), "(no error)");
    EXPECT_EQ(errorOf([&] { dumpComponentStream(stream); }), "(no error)");
}

}  // namespace
