#include "base/datetime.h"
#include "base/format.h"
#include "base/guid.h"
#include "base/progress.h"

#include <gtest/gtest.h>
#include <limits>

namespace poremi {
namespace {

TEST(DateTimeValue, CountsDaysSinceTheEndOf1899) {
    EXPECT_DOUBLE_EQ(toDateTimeValue(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(toDateTimeValue(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), 2.5);
    EXPECT_DOUBLE_EQ(toDateTimeValue(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    const QDateTime sample(QDate(2026, 12, 10), QTime(10, 48, 3, 250));
    EXPECT_EQ(fromDateTimeValue(toDateTimeValue(sample)), sample);
    EXPECT_EQ(fromDateTimeValue(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
}

TEST(DateTimeValue, EveryDoubleHasADefinedResult) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double value : {nan, -nan, inf, -inf, 1e300, -1e300, 9.3e18, -9.3e18, 2958466.0, -693594.0,
                               std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest()})
        EXPECT_FALSE(fromDateTimeValue(value).isValid()) << value;
    // The first and the last day that the values hold.
    EXPECT_EQ(fromDateTimeValue(-693593.0), QDateTime(QDate(1, 1, 1), QTime(0, 0)));
    EXPECT_EQ(fromDateTimeValue(-693593.5), QDateTime(QDate(1, 1, 1), QTime(12, 0)));
    EXPECT_EQ(fromDateTimeValue(2958465.75), QDateTime(QDate(9999, 12, 31), QTime(18, 0)));
    // The tiniest values are the epoch itself.
    EXPECT_EQ(fromDateTimeValue(std::numeric_limits<double>::denorm_min()), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    EXPECT_EQ(toDateTimeValue(QDateTime()), 0.0);
}

TEST(GuidValue, UsesTheWindowsByteLayout) {
    const auto guid = Guid::fromString(QStringLiteral("{00112233-4455-6677-8899-AABBCCDDEEFF}"));
    ASSERT_TRUE(guid);
    EXPECT_EQ(guid->toBytes().toHex(), QByteArray("33221100554477668899aabbccddeeff"));
    EXPECT_EQ(Guid::fromBytes(guid->toBytes()), guid);
    EXPECT_EQ(guid->toString(), QStringLiteral("{00112233-4455-6677-8899-AABBCCDDEEFF}"));
    EXPECT_FALSE(Guid::fromBytes(QByteArray(15, 'x')));
    EXPECT_FALSE(Guid::fromString(QStringLiteral("{0011}")));
}

TEST(PhasedProgress, FollowsTheNestedShareFormula) {
    PhasedProgress progress;
    int reported = -1;
    progress.setListener([&](int value) { reported = value; });
    progress.beginPhase(1, 4);  // four steps of 2500
    EXPECT_EQ(progress.overall(), 0);
    progress.step();
    EXPECT_EQ(reported, 2500);
    progress.beginPhase(0, 1);  // two steps inside the second quarter
    EXPECT_EQ(progress.overall(), 2500);
    progress.step();
    EXPECT_EQ(reported, 2500 + 1250);
    progress.endPhase();
    progress.step();
    EXPECT_EQ(reported, 5000);
    progress.beginPhase(5, 2);  // max below min is raised to min: one step
    progress.step();
    EXPECT_EQ(reported, 5000 + 2500);
}

TEST(PhasedProgress, ClampsPositionsBeyondThePhase) {
    PhasedProgress progress;
    progress.beginPhase(0, 2);
    for (int i = 0; i < 10; ++i) progress.step();
    EXPECT_EQ(progress.overall(), 10000);
}

TEST(Format, HandlesTheDirectivesOfTheMessageTables) {
    EXPECT_EQ(format(QStringLiteral("%sの%d文字目"), {QStringLiteral("abc"), 5}), QStringLiteral("abcの5文字目"));
    EXPECT_EQ(format(QStringLiteral("$%.8x"), {0x1A2B}), QStringLiteral("$00001A2B"));
    EXPECT_EQ(format(QStringLiteral("disk%d|%5s|%-3d|100%%"), {3, QStringLiteral("ab"), 7}), QStringLiteral("disk3|   ab|7  |100%"));
    EXPECT_EQ(format(QStringLiteral("%s and %s"), {QStringLiteral("one")}), QStringLiteral("one and %s"));
}

}  // namespace
}  // namespace poremi
