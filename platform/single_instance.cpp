#include "platform/single_instance.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QDir>
#include <QtCore/QStandardPaths>

namespace poremi {

SingleInstanceLock::SingleInstanceLock(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    // The name may hold characters a file name cannot; a hash keeps it short and safe.
    const QByteArray hash = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    path_ = folder + QStringLiteral("/poremi-") + QString::fromLatin1(hash) + QStringLiteral(".lock");
    lock_ = std::make_unique<QLockFile>(path_);
    lock_->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() {
    if (held_) lock_->unlock();
}

bool SingleInstanceLock::tryAcquire() {
    if (!held_) held_ = lock_->tryLock(0);
    return held_;
}

}  // namespace poremi
