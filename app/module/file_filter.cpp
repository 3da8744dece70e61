#include "app/module/file_filter.h"

#include <QtCore/QRegularExpression>

namespace poremi {
namespace {

QStringList patternsOf(const QString& patterns) {
    QStringList out;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) out << pattern.trimmed();
    return out;
}

}  // namespace

QStringList qtNameFilters(const QString& filter) {
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*[(（][^()（）]*[)）]\\s*$"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(trailingPatterns);
        entries << QStringLiteral("%1 (%2)").arg(description, patternsOf(parts[i + 1]).join(QLatin1Char(' ')));
    }
    return entries;
}

QString filterExtension(const QString& filter, int index) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    const qsizetype at = qsizetype(index - 1) * 2 + 1;
    if (index < 1 || at >= parts.size()) return QString();
    const QString first = patternsOf(parts[at]).value(0);
    static const QRegularExpression plain(QStringLiteral("^\\*\\.([^*?.]+)$"));
    const auto match = plain.match(first);
    return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace poremi
