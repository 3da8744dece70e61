#pragma once
// One running instance per user and name, in place of a named system mutex: a lock file in the
// user's runtime folder, held for the lifetime of the object. A lock left by a dead process is
// taken over.

#include <QtCore/QLockFile>
#include <QtCore/QString>
#include <memory>

namespace poremi {

class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& name);
    ~SingleInstanceLock();

    // True when this object now holds the lock; false when another live process holds it.
    bool tryAcquire();
    bool isHeld() const { return held_; }
    QString lockFilePath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
};

}  // namespace poremi
