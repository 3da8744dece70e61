// Dates formatted for labels: every offered format written out on two days, the directives'
// edges, the month-name references and the dates that have no text.

#include "base/datetime.h"
#include "objects/label_date_format.h"

#include <gtest/gtest.h>
#include <cmath>
#include <ctime>
#include <limits>

namespace poremi {
namespace {

double at(int year, int month, int day, int hour = 0, int minute = 0) {
    return toDateTimeValue(QDateTime(QDate(year, month, day), QTime(hour, minute)));
}

QString format(const char* format, double date) { return formatLabelDate(QString::fromUtf8(format), date); }

// The offered formats on Tuesday 5 March 2024, 14:07 and on Wednesday 1 May 2019, 0:00, the
// first day of Reiwa.
struct Offered {
    const char* march;
    const char* may;
};
const Offered kOffered[] = {
    {"3月5日", "5月1日"},
    {"令和6年3月", "令和1年5月"},
    {"令和6年3月5日", "令和1年5月1日"},
    {"令和6年3月5日(火)", "令和1年5月1日(水)"},
    {"令和6年3月5日(火曜日)", "令和1年5月1日(水曜日)"},
    {"令和6年3月5日 14時7分", "令和1年5月1日 0時0分"},
    {"令和6年3月5日(火) 14時7分", "令和1年5月1日(水) 0時0分"},
    {"2024年3月", "2019年5月"},
    {"2024年3月5日", "2019年5月1日"},
    {"2024年3月5日 14時7分", "2019年5月1日 0時0分"},
    {"2024年3月5日(火) 14時7分", "2019年5月1日(水) 0時0分"},
    {"2024/3", "2019/5"},
    {"2024/3/5", "2019/5/1"},
    {"2024/3/5 Tue", "2019/5/1 Wed"},
    {"2024/3/5 Tuesday", "2019/5/1 Wednesday"},
    {"2024/3/5 14:07", "2019/5/1 00:00"},
    {"2024/3/5 2:07 PM", "2019/5/1 12:00 AM"},
    {"2024/3/5 Tue 14:07", "2019/5/1 Wed 00:00"},
    {"2024/3/5 Tue 2:07 PM", "2019/5/1 Wed 12:00 AM"},
    {"24/3", "19/5"},
    {"24/3/5", "19/5/1"},
    {"24/3/5 Tue", "19/5/1 Wed"},
    {"24/3/5 Tuesday", "19/5/1 Wednesday"},
    {"24/3/5 14:07", "19/5/1 00:00"},
    {"24/3/5 2:07 PM", "19/5/1 12:00 AM"},
    {"24/3/5 Tue 14:07", "19/5/1 Wed 00:00"},
    {"24/3/5 Tue 2:07 PM", "19/5/1 Wed 12:00 AM"},
    {"2024-03-05", "2019-05-01"},
    {"March 5,2024", "May 1,2019"},
    {"Mar 5,2024", "May 1,2019"},
    {"MAR.5,2024", "MAY.1,2019"},
    {"March, 2024", "May, 2019"},
    {"Mar, 2024", "May, 2019"},
    {"MAR, 2024", "MAY, 2019"},
    {"March, 24", "May, 19"},
    {"Mar-24", "May-19"},
    {"5 March, 24", "1 May, 19"},
    {"5 March '24", "1 May '19"},
    {"5 Mar ' 24", "1 May ' 19"},
    {"5 MAR.'24", "1 MAY.'19"},
    {"5/03/24", "1/05/19"},
};

TEST(LabelDateFormat, everyOfferedFormatWrittenOutOnTwoDays) {
    const QStringList& formats = labelDateFormats();
    ASSERT_EQ(formats.size(), std::size(kOffered));
    for (qsizetype i = 0; i < formats.size(); ++i) {
        EXPECT_EQ(formatLabelDate(formats[i], at(2024, 3, 5, 14, 7)), QString::fromUtf8(kOffered[i].march))
            << "format " << i + 1 << ": " << formats[i].toStdString();
        EXPECT_EQ(formatLabelDate(formats[i], at(2019, 5, 1)), QString::fromUtf8(kOffered[i].may))
            << "format " << i + 1 << ": " << formats[i].toStdString();
    }
}

TEST(LabelDateFormat, theOfferedFormatsAreStoredAsWritten) {
    // Stored documents name their format by these exact texts.
    const QStringList& formats = labelDateFormats();
    EXPECT_EQ(formats.first(), QString::fromUtf8("m\"月\"d\"日\""));
    EXPECT_EQ(formats[29], QStringLiteral("$(ShortMonthA) d\",\"yyyy"));
    EXPECT_EQ(formats.last(), QStringLiteral("d\"/\"mm\"/\"yy"));
}

struct Case {
    const char* format;
    double date;
    const char* expected;
};

void expectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases)
        EXPECT_EQ(format(c.format, c.date), QString::fromUtf8(c.expected)) << c.format << " on " << c.date;
}

TEST(LabelDateFormat, erasChangeOnTheirFirstDayAndNoneBefore1868) {
    expectAll({
        {"ggge", at(1867, 12, 31), "1867"},
        {"g|gg|ggg|ee", at(1867, 12, 31), "|||1867"},
        {"ggge", at(1868, 1, 1), "明治1"},
        {"ggge", at(1912, 7, 29), "明治45"},
        {"ggge", at(1912, 7, 30), "大正1"},
        {"ggge", at(1926, 12, 24), "大正15"},
        {"ggge", at(1926, 12, 25), "昭和1"},
        {"ggge", at(1989, 1, 7), "昭和64"},
        {"ggge", at(1989, 1, 8), "平成1"},
        {"ggge", at(2019, 4, 30), "平成31"},
        {"ggge", at(2019, 5, 1), "令和1"},
        {"g|gg|ggg|e|ee", at(1989, 1, 8), "H|平|平成|1|01"},
        {"g gg ggg ee", at(1926, 12, 25), "S 昭 昭和 01"},
        {"G GG GGG", at(1900, 1, 1), "M 明 明治"},
        {"g gg", at(1920, 1, 1), "T 大"},
        {"g gg ee", at(2024, 3, 5), "R 令 06"},
        {"ggge", at(1, 1, 1), "1"},
    });
}

TEST(LabelDateFormat, directivesInEveryCaseAndRunLength) {
    const double march = at(2024, 3, 5, 14, 7);
    expectAll({
        {"y|yy|yyy|yyyy", march, "24|24|2024|2024"},
        {"YYYY/M/D", march, "2024/3/5"},
        {"m|mm|mmm|mmmm", march, "3|03|Mar|March"},
        {"d|dd|ddd|dddd", march, "5|05|Tue|Tuesday"},
        {"DDD AAA AAAA", march, "Tue 火 火曜日"},
        {"h|hh|n|nn", at(2024, 3, 5, 9, 4), "9|09|4|04"},
        {"yyyy/mm/dd hh:nn", at(1, 1, 1), "0001/01/01 00:00"},
        {"yy", at(2000, 6, 1), "00"},
        {"yyyy/mm/dd hh:nn", -1.25, "1899/12/29 06:00"},
        {"yyyy/mm/dd hh:nn", at(9999, 12, 31, 23, 59), "9999/12/31 23:59"},
        // Letters that start no directive are text.
        {"a aa b c s t z", march, "a aa b c s t z"},
    });
}

TEST(LabelDateFormat, hoursCountToTwelveOnlyBeforeAnAmPmMarker) {
    expectAll({
        {"h AM/PM", at(2024, 3, 5, 14, 7), "2 PM"},
        {"h am/pm", at(2024, 3, 5, 14, 7), "2 pm"},
        {"h Am/pM", at(2024, 3, 5, 9, 7), "9 Am"},
        {"h a/p", at(2024, 3, 5, 14, 7), "2 p"},
        {"h A/P", at(2024, 3, 5, 1, 7), "1 A"},
        {"h AMPM", at(2024, 3, 5, 14, 7), "2 午後"},
        {"h ampm", at(2024, 3, 5, 11, 59), "11 午前"},
        {"hh AM/PM", at(2024, 3, 5, 0, 30), "12 AM"},
        {"hh AM/PM", at(2024, 3, 5, 12, 0), "12 PM"},
        {"hh AM/PM", at(2024, 3, 5, 3, 0), "03 AM"},
        // The marker counts for the last hour before it only, and not from inside a literal.
        {"h hh AM/PM", at(2024, 3, 5, 14, 7), "14 02 PM"},
        {"h \"AM/PM\"", at(2024, 3, 5, 14, 7), "14 AM/PM"},
        {"h aaa", at(2024, 3, 5, 14, 7), "14 火"},
    });
}

TEST(LabelDateFormat, literalsInBothQuoteStyles) {
    const double march = at(2024, 3, 5, 14, 7);
    expectAll({
        {"'d'd", march, "d5"},
        {"\"yyyy\"yyyy", march, "yyyy2024"},
        {"\"it's\" d", march, "it's 5"},
        {"'say \"d\"' d", march, "say \"d\" 5"},
        {"d \"unclosed mmm", march, "5 unclosed mmm"},
        {"\"\"d''", march, "5"},
    });
}

TEST(LabelDateFormat, monthNamesAreCopiedNotReadAsDirectives) {
    // Unquoted, the letters of "march" would be month, AM/PM, text, text and hour.
    const double march = at(2024, 3, 5, 14, 7);
    expectAll({
        {"$(LongMonthA)|$(LongMonthB)|$(LongMonthC)", march, "March|march|MARCH"},
        {"$(ShortMonthA)|$(ShortMonthB)|$(ShortMonthC)", march, "Mar|mar|MAR"},
        {"$(longmontha) $(SHORTMONTHB)", march, "March mar"},
        {"\"in $(LongMonthB) of\" yyyy", march, "in march of 2024"},
        {"$(LongMonthA)", at(2024, 12, 31), "December"},
        {"$(ShortMonthC)", at(2024, 9, 1), "SEP"},
    });
}

TEST(LabelDateFormat, otherMacroReferencesStayAsWritten) {
    // Formats come from documents: nothing but the month names is expanded, and a broken
    // reference is text rather than an error.
    const double march = at(2024, 3, 5, 14, 7);
    expectAll({
        {"$(Nope", march, "$(Nope"},
        {"yyyy $(Nope", march, "2024 $(Nope"},
        {"$(AppName) d", march, "$(AppName) 5"},
        {"$(CRLF)d", march, "$(CRLF)5"},
        {"$() d", march, "$() 5"},
        {"$(a$(b)c) d", march, "$(a$(b)c) 5"},
        {"$(LongMonthA d", march, "$(LongMonthA d"},
        {"$ ( d", march, "$ ( 5"},
    });
}

TEST(LabelDateFormat, longStoredFormatsAreReadInOnePass) {
    // A formatter that looked ahead through copies of the rest of the format would copy it
    // again at every marker letter.
    const double date = at(2024, 3, 5, 14, 7);
    const int n = 1000000;
    EXPECT_EQ(formatLabelDate(QString(n, QLatin1Char('a')) + QLatin1Char('h'), date).size(), n / 4 * 3 + 2);
    EXPECT_EQ(formatLabelDate(QStringLiteral("$(").repeated(n), date).size(), 2 * n);
}

TEST(LabelDateFormat, datesOutsideTheCalendarHaveNoText) {
    for (const double date : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(), 1e300, -1e300, at(9999, 12, 31) + 1.0,
                              -693594.5, std::nextafter(2958466.0, 0.0)})
        EXPECT_TRUE(format("yyyy/m/d", date).isEmpty()) << date;
}

TEST(LabelDateFormat, localTimesInADaylightSavingGapStillShow) {
    // 2:30 on 31 March 2024 does not exist in Berlin; the stored date is still a date.
    const QByteArray previous = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const double date = 45382.0 + 2.5 / 24.0;  // 31 March 2024, 2:30
    EXPECT_EQ(format("yyyy/m/d hh:nn", date), QStringLiteral("2024/3/31 02:30"));
    if (previous.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", previous);
    tzset();
}

}  // namespace
}  // namespace poremi
