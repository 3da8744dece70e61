#pragma once
// Date-time values as the files hold them: days since 30 December 1899 as a double, the
// fraction being the time of day.

#include <QtCore/QDateTime>
#include <optional>

namespace poremi {

// An invalid date-time gives 0, the value of "no date".
double toDateTimeValue(const QDateTime& dateTime);
// Defined for every double: values whose day lies outside the years 1 to 9999, infinities and
// NaNs give an invalid QDateTime.
QDateTime fromDateTimeValue(double value);

// The calendar day and the time of day of a value, free of any time zone (a local time in a
// daylight-saving gap is still a valid moment of a stored date); none where fromDateTimeValue
// gives an invalid QDateTime for the range.
struct DateTimeParts {
    QDate date;
    QTime time;
};
std::optional<DateTimeParts> splitDateTimeValue(double value);
// The value of a calendar day and a time of day; 0 when the day is invalid.
double joinDateTimeValue(QDate date, QTime time);

}  // namespace poremi
