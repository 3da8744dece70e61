// Date-time values split into a day and a time of day and joined again, free of the local
// time zone.

#include "base/datetime.h"

#include <gtest/gtest.h>
#include <ctime>

namespace poremi {
namespace {

// Sets TZ for the life of the guard.
class TimeZoneGuard {
public:
    explicit TimeZoneGuard(const char* zone) : previous_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~TimeZoneGuard() {
        if (previous_.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", previous_);
        tzset();
    }

private:
    QByteArray previous_;
};

TEST(DateTimeParts, aLocalTimeInADaylightSavingGapIsStillAMoment) {
    // 2:30 on 31 March 2024 does not exist in Berlin.
    const TimeZoneGuard berlin("Europe/Berlin");
    const QDate day(2024, 3, 31);
    const QTime time(2, 30);
    const double value = joinDateTimeValue(day, time);
    EXPECT_DOUBLE_EQ(value, 45382.0 + 2.5 / 24.0);
    const auto parts = splitDateTimeValue(value);
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->date, day);
    EXPECT_EQ(parts->time, time);
}

TEST(DateTimeParts, joinAndSplitAgreeWithTheDateTimeConversions) {
    struct Case {
        QDate day;
        QTime time;
        double value;
    };
    for (const Case& c : {Case{QDate(1899, 12, 30), QTime(0, 0), 0.0}, Case{QDate(1899, 12, 29), QTime(6, 0), -1.25},
                          Case{QDate(1900, 1, 1), QTime(12, 0), 2.5}, Case{QDate(1, 1, 1), QTime(0, 0), -693593.0}}) {
        EXPECT_DOUBLE_EQ(joinDateTimeValue(c.day, c.time), c.value);
        const auto parts = splitDateTimeValue(c.value);
        ASSERT_TRUE(parts);
        EXPECT_EQ(parts->date, c.day);
        EXPECT_EQ(parts->time, c.time);
    }
    EXPECT_EQ(joinDateTimeValue(QDate(), QTime(1, 0)), 0.0);
    EXPECT_FALSE(splitDateTimeValue(2958466.0));
}

}  // namespace
}  // namespace poremi
