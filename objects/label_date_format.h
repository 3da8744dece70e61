#pragma once
// Dates as labels show them: the formats the date dialog offers and the formatting of a
// date-time value by such a format.
//
// Directives (letters in any case; runs of one letter form one directive):
//   y, yy: the year in two digits; yyy and longer: in four digits
//   m: the month; mm: in two digits; mmm: "Mar"; mmmm and longer: "March"
//   d: the day; dd: in two digits; ddd: "Tue"; dddd and longer: "Tuesday"
//   aaa: "火"; aaaa: "火曜日"
//   g: the era's initial "R"; gg: its first character "令"; ggg and longer: its name "令和"
//   e: the year of the era; ee and longer: in two digits
//   h: the hour; hh: in two digits; 12-hour when an AM/PM marker follows before the next h
//   n: the minute; nn: in two digits
//   AM/PM, A/P: the marker as the format spells it; AMPM: "午前" or "午後"
//   "…" and '…': literal text
//   $(LongMonthA), $(LongMonthB), $(LongMonthC): "March", "march", "MARCH" (also inside
//   literals); $(ShortMonthA), $(ShortMonthB), $(ShortMonthC): "Mar", "mar", "MAR"
// Every other character is copied, and so is any other "$(" reference up to its closing
// parenthesis or the end of the format: no other macro is ever expanded.
// The eras run from Meiji (1 January 1868) to Reiwa; before 1868 a date has no era name and its
// era year is the year.

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace poremi {

// date counts days since 30 December 1899, its fraction being the time of day. A date that is
// not finite or lies outside the years 1 to 9999 gives an empty text.
QString formatLabelDate(const QString& format, double date);

// The formats of the date dialog, in the order it lists them.
const QStringList& labelDateFormats();

}  // namespace poremi
