#include "document/container/doc_path.h"

#include "document/container/container_error.h"

namespace poremi {

QStringList DocPathComponents(const QString& path) { return path.split(u'\\', Qt::SkipEmptyParts); }

QString ResolveDocPath(const QString& base, const QString& name) {
    const bool absolute = name.startsWith(u'\\');
    QStringList parts = absolute ? QStringList() : DocPathComponents(base);
    for (const QString& part : DocPathComponents(name)) {
        if (part == QStringLiteral(".")) continue;
        if (part == QStringLiteral("..")) {
            if (parts.isEmpty())
                throw EContainerError(ContainerFault::PathAboveRoot, QStringLiteral("too many \"..\""));
            parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    const QString joined = parts.join(u'\\');
    return base.startsWith(u'\\') ? u'\\' + joined : joined;
}

QString DocPathFolder(const QString& path) {
    QStringList parts = DocPathComponents(path);
    if (!parts.isEmpty()) parts.removeLast();
    return parts.join(u'\\');
}

QString DocPathName(const QString& path) {
    const QStringList parts = DocPathComponents(path);
    return parts.isEmpty() ? QString() : parts.last();
}

}  // namespace poremi
