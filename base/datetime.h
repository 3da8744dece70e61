#pragma once
// Date-time values as the files hold them: days since 30 December 1899 as a double, the
// fraction being the time of day.

#include <QtCore/QDateTime>

namespace poremi {

double toDateTimeValue(const QDateTime& dateTime);
QDateTime fromDateTimeValue(double value);

}  // namespace poremi
