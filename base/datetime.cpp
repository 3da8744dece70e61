#include "base/datetime.h"

#include <cmath>

namespace poremi {
namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
// Whole days from the epoch to 1 January of year 1 and to 31 December 9999.
constexpr double kFirstDay = -693593.0;
constexpr double kLastDay = 2958465.0;

}  // namespace

double toDateTimeValue(const QDateTime& dateTime) {
    return dateTime.isValid() ? joinDateTimeValue(dateTime.date(), dateTime.time()) : 0.0;
}

double joinDateTimeValue(QDate date, QTime time) {
    if (!date.isValid()) return 0.0;
    const qint64 days = kEpoch.daysTo(date);
    const double fraction = (time.isValid() ? time.msecsSinceStartOfDay() : 0) / kMsPerDay;
    // Before the epoch the whole part counts backwards while the fraction still counts
    // forward from midnight, so -1.25 is 29 December 1899, 06:00.
    return days >= 0 ? days + fraction : days - fraction;
}

std::optional<DateTimeParts> splitDateTimeValue(double value) {
    // Also false for NaN; keeps the conversions below inside the range of qint64.
    if (!(value > kFirstDay - 1.0 && value < kLastDay + 1.0)) return std::nullopt;
    const double whole = std::trunc(value);
    const double fraction = std::fabs(value - whole);
    qint64 ms = static_cast<qint64>(std::llround(fraction * kMsPerDay));
    qint64 days = static_cast<qint64>(whole);
    if (ms >= qint64(kMsPerDay)) {
        ms -= qint64(kMsPerDay);
        days += value >= 0 ? 1 : -1;
    }
    return DateTimeParts{kEpoch.addDays(days), QTime::fromMSecsSinceStartOfDay(int(ms))};
}

QDateTime fromDateTimeValue(double value) {
    const auto parts = splitDateTimeValue(value);
    return parts ? QDateTime(parts->date, parts->time) : QDateTime();
}

}  // namespace poremi
