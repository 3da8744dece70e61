#include "base/native_path.h"

namespace poremi {

QString toNativePath(const QString& systemPath) {
    QString path = systemPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // A doubled separator where a folder macro ends in one and the next part starts with one.
    while (path.contains(QStringLiteral("//"))) path.replace(QStringLiteral("//"), QStringLiteral("/"));
    return path;
}

QString fromNativePath(const QString& nativePath) {
    QString path = nativePath;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path;
}

}  // namespace poremi
