// Hostile lengths and nesting end in the reader's errors, never in a crash, a hang or a huge
// allocation.

#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "fuzz/support/sample_classes.h"
#include "tests/poremi_docstream/stream_fixture.h"

#include <QtCore/QBuffer>
#include <gtest/gtest.h>
#include <limits>

using namespace poremi;
using namespace poremi::sample;
using poremi::test::failure;
using poremi::test::failureOf;
using poremi::test::fixture;

namespace {

class HostileInput : public ::testing::Test {
protected:
    void SetUp() override { registerSampleClasses(); }

    // The failure of both the reader and the structural decoder.
    static void expectBoth(const QByteArray& stream, const test::Failure& expected) {
        EXPECT_EQ(failureOf([&] { test::readStream(stream); }), expected);
        EXPECT_EQ(failureOf([&] { dumpComponentStream(stream); }), expected);
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
        EXPECT_EQ(failureOf([&] { test::readStream(fixture(stream)); }),
                  failure(StreamFault::ReadError, "ストリームからの読み込みエラー"))
            << stream;
    }
    expectBoth(fixture("'TPF0' 0D 'TSampleObject' 00 07 'Caption' 0C FF FF FF 7F 00 00"),
               failure(StreamFault::ReadError, "ストリームからの読み込みエラー"));
}

TEST_F(HostileInput, NestingIsCapped) {
    // 100000 nested child records and as many nested lists.
    QByteArray children = fixture("'TPF0'");
    for (int i = 0; i < 100000; ++i) children += fixture("0C 'TSampleGroup' 00 00");
    expectBoth(children, failure(StreamFault::ReadError, "ストリームからの読み込みエラー"));

    // The decoder descends into nested lists; the reader never needs to.
    QByteArray lists = fixture("'TPF0' 0D 'TSampleObject' 00 07 'Caption'");
    lists += QByteArray(100000, '\x01');
    EXPECT_EQ(failureOf([&] { dumpComponentStream(lists); }),
              failure(StreamFault::ReadError, "ストリームからの読み込みエラー"));
    EXPECT_EQ(failureOf([&] { test::readStream(lists); }),
              failure(StreamFault::InvalidPropertyValue, "不正なプロパティの値です"));
}

TEST_F(HostileInput, UnknownValueTypeIsAFormatError) {
    expectBoth(fixture("'TPF0' 0D 'TSampleObject' 00 04 'Left' 2A 00 00"),
               failure(StreamFault::InvalidFormat, "不正なストリーム フォーマット"));
}

// Infinities and NaNs (and extended values beyond the range of a double) mean nothing in a file
// and would spread into every size, position and date computed from them.
TEST_F(HostileInput, NonFiniteFloatsAreRefused) {
    const char* const values[] = {
        "05 00 00 00 00 00 00 00 80 FF 7F",  // extended +infinity
        "05 00 00 00 00 00 00 00 80 FF FF",  // extended -infinity
        "05 00 00 00 00 00 00 00 C0 FF 7F",  // extended NaN
        "05 00 00 00 00 00 00 00 00 FF 7F",  // extended pseudo-infinity (integer bit clear)
        "05 00 00 00 00 00 00 00 80 FE 7F",  // extended far beyond the largest double
        "0F 00 00 80 7F",                    // single +infinity
        "0F 00 00 C0 FF",                    // single NaN
        "11 00 00 00 00 00 00 F8 7F",        // date NaN
        "11 00 00 00 00 00 00 F0 FF",        // date -infinity
    };
    for (const char* value : values) {
        for (const char* property : {"05 'Ratio'", "04 'Date'"}) {
            SCOPED_TRACE(std::string(property) + " " + value);
            expectBoth(fixture("'TPF0' 0D 'TSampleObject' 00") + fixture(property) + fixture(value) + fixture("00 00"),
                       failure(StreamFault::InvalidPropertyValue, "不正なプロパティの値です"));
        }
    }
    // The largest finite values still read.
    const auto object = test::readStream(fixture("'TPF0' 0D 'TSampleObject' 00 05 'Ratio' 05 00 F8 FF FF FF FF FF FF FE 43 00 00"));
    EXPECT_EQ(dynamic_cast<TSampleObject&>(*object).ratio(), std::numeric_limits<double>::max());
}

TEST_F(HostileInput, NonFiniteFloatsAreNeverWritten) {
    for (const double value : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()}) {
        TSampleObject object;
        object.setDate(value);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        try {
            WriteComponent(buffer, object);
            ADD_FAILURE() << value;
        } catch (const EWriteError& error) {
            EXPECT_EQ(error.fault(), StreamFault::InvalidPropertyValue);
        }
    }
}

TEST_F(HostileInput, LongFlatListsAreNotMistakenForNesting) {
    QByteArray stream = fixture("'TPF0' 0D 'TSampleObject' 00 05 'Items' 0E");
    for (int i = 0; i < 20000; ++i) stream += fixture("01 02 'ID' 06 01 'x' 00");
    stream += fixture("00 00 00");
    EXPECT_EQ(failureOf([&] { test::readStream(stream); }), test::noFailure());
    EXPECT_EQ(failureOf([&] { dumpComponentStream(stream); }), test::noFailure());
}

}  // namespace
