#include "objects/label_date_format.h"

#include "base/datetime.h"

#include <array>

namespace poremi {
namespace {

const std::array<const char*, 12> kMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                                                 "July",    "August",   "September", "October", "November", "December"};
const std::array<const char*, 7> kDayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                              "Friday", "Saturday", "Sunday"};
const std::array<const char16_t*, 7> kJapaneseDayNames = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};

struct Era {
    QDate start;
    char initial;
    const char16_t* name;
};
// Latest first.
const std::array<Era, 5> kEras = {{{QDate(2019, 5, 1), 'R', u"令和"},
                                   {QDate(1989, 1, 8), 'H', u"平成"},
                                   {QDate(1926, 12, 25), 'S', u"昭和"},
                                   {QDate(1912, 7, 30), 'T', u"大正"},
                                   {QDate(1868, 1, 1), 'M', u"明治"}}};

const Era* eraOf(QDate date) {
    for (const Era& era : kEras)
        if (date >= era.start) return &era;
    return nullptr;
}

// The month-name references: name, then how the name is cased.
enum class Casing { AsIs, Lower, Upper };
struct MonthMacro {
    const char* name;
    bool longName;
    Casing casing;
};
const std::array<MonthMacro, 6> kMonthMacros = {{{"LongMonthA", true, Casing::AsIs},
                                                 {"LongMonthB", true, Casing::Lower},
                                                 {"LongMonthC", true, Casing::Upper},
                                                 {"ShortMonthA", false, Casing::AsIs},
                                                 {"ShortMonthB", false, Casing::Lower},
                                                 {"ShortMonthC", false, Casing::Upper}}};

class DateFormatter {
public:
    DateFormatter(const QString& format, QDate date, QTime time) : format_(format), date_(date), time_(time) {}

    QString run() {
        while (pos_ < format_.size()) {
            if (monthMacro()) continue;
            const QChar c = format_[pos_];
            if (c == u'"' || c == u'\'') {
                quoted(c);
            } else if (startsWith("$(")) {
                unknownMacro();
            } else {
                directive(c.toLower().unicode());
            }
        }
        return out_;
    }

private:
    // Appends the month name when a month-name reference starts here.
    bool monthMacro() {
        if (!startsWith("$(")) return false;
        for (const MonthMacro& macro : kMonthMacros) {
            const QString reference = QStringLiteral("$(%1)").arg(QLatin1String(macro.name));
            if (!QStringView(format_).mid(pos_).startsWith(reference, Qt::CaseInsensitive)) continue;
            QString name = QLatin1String(kMonthNames[date_.month() - 1]);
            if (!macro.longName) name.truncate(3);
            if (macro.casing == Casing::Lower) name = name.toLower();
            if (macro.casing == Casing::Upper) name = name.toUpper();
            out_ += name;
            pos_ += reference.size();
            return true;
        }
        return false;
    }

    // Any other reference stays as written, through its closing parenthesis.
    void unknownMacro() {
        int depth = 0;
        const qsizetype start = pos_;
        for (; pos_ < format_.size(); ++pos_) {
            if (startsWith("$(")) {
                ++depth;
                ++pos_;
            } else if (format_[pos_] == u')' && --depth == 0) {
                ++pos_;
                break;
            }
        }
        out_ += format_.mid(start, pos_ - start);
    }

    void quoted(QChar quote) {
        ++pos_;
        while (pos_ < format_.size() && format_[pos_] != quote) {
            if (monthMacro()) continue;
            out_ += format_[pos_++];
        }
        ++pos_;  // the closing quote, when there is one
    }

    // Consumes the run of one letter, in any case, and tells its length.
    qsizetype repeat(char16_t letter) {
        qsizetype count = 0;
        while (pos_ < format_.size() && format_[pos_].toLower() == QChar(letter)) {
            ++count;
            ++pos_;
        }
        return count;
    }

    bool startsWith(const char* word) const {
        return QStringView(format_).mid(pos_).startsWith(QLatin1String(word), Qt::CaseInsensitive);
    }

    void number(int value, int digits) { out_ += QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0')); }

    void directive(char16_t letter) {
        const int weekday = date_.dayOfWeek() - 1;
        const Era* era = eraOf(date_);
        switch (letter) {
        case u'y':
            if (repeat(letter) <= 2)
                number(date_.year() % 100, 2);
            else
                number(date_.year(), 4);
            return;
        case u'm': {
            const qsizetype count = repeat(letter);
            const QString name = QLatin1String(kMonthNames[date_.month() - 1]);
            if (count <= 2)
                number(date_.month(), int(count));
            else
                out_ += count == 3 ? name.left(3) : name;
            return;
        }
        case u'd': {
            const qsizetype count = repeat(letter);
            const QString name = QLatin1String(kDayNames[weekday]);
            if (count <= 2)
                number(date_.day(), int(count));
            else
                out_ += count == 3 ? name.left(3) : name;
            return;
        }
        case u'g': {
            const qsizetype count = repeat(letter);
            if (!era) return;
            const QString name = QString::fromUtf16(era->name);
            out_ += count == 1 ? QString(QLatin1Char(era->initial)) : count == 2 ? name.left(1) : name;
            return;
        }
        case u'e': {
            const int year = era ? date_.year() - era->start.year() + 1 : date_.year();
            number(year, repeat(letter) == 1 ? 1 : 2);
            return;
        }
        case u'h': {
            const int digits = repeat(letter) == 1 ? 1 : 2;
            int hour = time_.hour();
            if (ampmFollows()) hour = hour % 12 == 0 ? 12 : hour % 12;
            number(hour, digits);
            return;
        }
        case u'n':
            number(time_.minute(), repeat(letter) == 1 ? 1 : 2);
            return;
        case u'a':
            return marker(weekday);
        default:
            out_ += format_[pos_++];
        }
    }

    // AM/PM, A/P and AMPM markers and the Japanese day names; a lone "a" is text.
    void marker(int weekday) {
        const bool pm = time_.hour() >= 12;
        if (startsWith("am/pm")) {
            out_ += format_.mid(pos_ + (pm ? 3 : 0), 2);
            pos_ += 5;
        } else if (startsWith("a/p")) {
            out_ += format_[pos_ + (pm ? 2 : 0)];
            pos_ += 3;
        } else if (startsWith("ampm")) {
            out_ += QStringView(pm ? u"午後" : u"午前");
            pos_ += 4;
        } else if (startsWith("aaaa")) {
            out_ += QString::fromUtf16(kJapaneseDayNames[weekday]);
            out_ += QStringView(u"曜日");
            pos_ += 4;
        } else if (startsWith("aaa")) {
            out_ += QString::fromUtf16(kJapaneseDayNames[weekday]);
            pos_ += 3;
        } else {
            out_ += format_[pos_++];
        }
    }

    // Whether the first "a" after the hour just read and before the next one, outside literals,
    // opens an AM/PM marker.
    bool ampmFollows() const {
        QChar quote;
        for (qsizetype i = pos_; i < format_.size(); ++i) {
            const QChar c = format_[i].toLower();
            if (!quote.isNull()) {
                if (c == quote) quote = QChar();
            } else if (c == u'"' || c == u'\'') {
                quote = c;
            } else if (c == u'h') {
                return false;
            } else if (c == u'a') {
                const QStringView rest = QStringView(format_).mid(i);
                return rest.startsWith(u"am/pm", Qt::CaseInsensitive) || rest.startsWith(u"a/p", Qt::CaseInsensitive) ||
                       rest.startsWith(u"ampm", Qt::CaseInsensitive);
            }
        }
        return false;
    }

    const QString& format_;
    const QDate date_;
    const QTime time_;
    qsizetype pos_ = 0;
    QString out_;
};

}  // namespace

QString formatLabelDate(const QString& format, double date) {
    const auto parts = splitDateTimeValue(date);
    if (!parts || parts->date.year() < 1 || parts->date.year() > 9999) return {};
    return DateFormatter(format, parts->date, parts->time).run();
}

const QStringList& labelDateFormats() {
    static const QStringList formats = {
        QStringLiteral(R"f(m"月"d"日")f"),
        QStringLiteral(R"f(ggge"年"m"月")f"),
        QStringLiteral(R"f(ggge"年"m"月"d"日")f"),
        QStringLiteral(R"f(ggge"年"m"月"d"日("aaa")")f"),
        QStringLiteral(R"f(ggge"年"m"月"d"日("aaaa")")f"),
        QStringLiteral(R"f(ggge"年"m"月"d"日" h"時"n"分")f"),
        QStringLiteral(R"f(ggge"年"m"月"d"日("aaa")" h"時"n"分")f"),
        QStringLiteral(R"f(yyyy"年"m"月")f"),
        QStringLiteral(R"f(yyyy"年"m"月"d"日")f"),
        QStringLiteral(R"f(yyyy"年"m"月"d"日" h"時"n"分")f"),
        QStringLiteral(R"f(yyyy"年"m"月"d"日("aaa")" h"時"n"分")f"),
        QStringLiteral(R"f(yyyy"/"m)f"),
        QStringLiteral(R"f(yyyy"/"m"/"d)f"),
        QStringLiteral(R"f(yyyy"/"m"/"d ddd)f"),
        QStringLiteral(R"f(yyyy"/"m"/"d dddd)f"),
        QStringLiteral(R"f(yyyy"/"m"/"d hh":"nn)f"),
        QStringLiteral(R"f(yyyy"/"m"/"d h":"nn AM/PM)f"),
        QStringLiteral(R"f(yyyy"/"m"/"d ddd hh":"nn)f"),
        QStringLiteral(R"f(yyyy"/"m"/"d ddd h":"nn AM/PM)f"),
        QStringLiteral(R"f(yy"/"m)f"),
        QStringLiteral(R"f(yy"/"m"/"d)f"),
        QStringLiteral(R"f(yy"/"m"/"d ddd)f"),
        QStringLiteral(R"f(yy"/"m"/"d dddd)f"),
        QStringLiteral(R"f(yy"/"m"/"d hh":"nn)f"),
        QStringLiteral(R"f(yy"/"m"/"d h":"nn AM/PM)f"),
        QStringLiteral(R"f(yy"/"m"/"d ddd hh":"nn)f"),
        QStringLiteral(R"f(yy"/"m"/"d ddd h":"nn AM/PM)f"),
        QStringLiteral(R"f(yyyy"-"mm"-"dd)f"),
        QStringLiteral(R"f($(LongMonthA) d','yyyy)f"),
        QStringLiteral(R"f($(ShortMonthA) d","yyyy)f"),
        QStringLiteral(R"f($(ShortMonthC)"."d","yyyy)f"),
        QStringLiteral(R"f($(LongMonthA)"," yyyy)f"),
        QStringLiteral(R"f($(ShortMonthA)"," yyyy)f"),
        QStringLiteral(R"f($(ShortMonthC)"," yyyy)f"),
        QStringLiteral(R"f($(LongMonthA)"," yy)f"),
        QStringLiteral(R"f($(ShortMonthA)"-"yy)f"),
        QStringLiteral(R"f(d $(LongMonthA)"," yy)f"),
        QStringLiteral(R"f(d $(LongMonthA) "'"yy)f"),
        QStringLiteral(R"f(d $(ShortMonthA) "'" yy)f"),
        QStringLiteral(R"f(d $(ShortMonthC)".'"yy)f"),
        QStringLiteral(R"f(d"/"mm"/"yy)f"),
    };
    return formats;
}

}  // namespace poremi
