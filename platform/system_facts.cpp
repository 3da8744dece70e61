#include "platform/system_facts.h"

#include <QtCore/QDir>
#include <QtCore/QStorageInfo>
#include <QtCore/QTemporaryFile>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

namespace poremi {

int primaryScreenDepth() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
}

QStringList mountedVolumeRoots() {
    QStringList optical;
    QStringList others;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const QByteArray type = volume.fileSystemType();
        const bool isOptical = type == "iso9660" || type == "udf" || volume.device().startsWith("/dev/sr");
        (isOptical ? optical : others).append(volume.rootPath());
    }
    return optical + others;
}

bool canWriteFolder(const QString& folder) {
    if (!QDir().mkpath(folder)) return false;
    QTemporaryFile probe(folder + QStringLiteral("/.poremi-write-test-XXXXXX"));
    return probe.open();
}

}  // namespace poremi
