#include "base/format.h"

#include <vector>

namespace poremi {
namespace {

QString pad(QString text, int width, bool left) {
    if (text.size() >= width) return text;
    const QString fill(width - text.size(), QLatin1Char(' '));
    return left ? text + fill : fill + text;
}

QString zeroPad(QString digits, int precision) {
    bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative) digits.remove(0, 1);
    if (digits.size() < precision) digits.prepend(QString(precision - digits.size(), QLatin1Char('0')));
    return negative ? QLatin1Char('-') + digits : digits;
}

}  // namespace

QString format(const QString& pattern, std::initializer_list<QVariant> arguments) {
    const std::vector<QVariant> args(arguments);
    size_t next = 0;
    QString out;
    out.reserve(pattern.size() + 16);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        qsizetype j = i + 1;
        if (j < pattern.size() && pattern[j] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            i = j;
            continue;
        }
        bool left = false;
        if (j < pattern.size() && pattern[j] == QLatin1Char('-')) {
            left = true;
            ++j;
        }
        int width = 0;
        while (j < pattern.size() && pattern[j].isDigit()) width = width * 10 + pattern[j++].digitValue();
        int precision = -1;
        if (j < pattern.size() && pattern[j] == QLatin1Char('.')) {
            precision = 0;
            ++j;
            while (j < pattern.size() && pattern[j].isDigit()) precision = precision * 10 + pattern[j++].digitValue();
        }
        if (j >= pattern.size() || next >= args.size()) {
            out += pattern.mid(i, j - i + 1);
            i = j;
            continue;
        }
        const QChar type = pattern[j].toLower();
        const QVariant& arg = args[next];
        QString text;
        bool known = true;
        if (type == QLatin1Char('s')) {
            text = arg.toString();
            if (precision >= 0) text = text.left(precision);
        } else if (type == QLatin1Char('d')) {
            text = QString::number(arg.toLongLong());
            if (precision >= 0) text = zeroPad(text, precision);
        } else if (type == QLatin1Char('u')) {
            text = QString::number(arg.toULongLong());
            if (precision >= 0) text = zeroPad(text, precision);
        } else if (type == QLatin1Char('x')) {
            text = QString::number(arg.toUInt(), 16).toUpper();
            if (precision >= 0) text = zeroPad(text, precision);
        } else if (type == QLatin1Char('f')) {
            text = QString::number(arg.toDouble(), 'f', precision >= 0 ? precision : 2);
        } else {
            known = false;
        }
        if (!known) {
            out += pattern.mid(i, j - i + 1);
        } else {
            out += pad(text, width, left);
            ++next;
        }
        i = j;
    }
    return out;
}

}  // namespace poremi
