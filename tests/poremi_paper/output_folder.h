#pragma once
// Where this library's tests keep what a person may look at afterwards (images, streams).

#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>

namespace poremi::test {

// The support library is built without this target's output folder, so name it here.
inline QString keptFilesFolder() {
#ifdef POREMI_TEST_OUTPUT_DIR
    QDir().mkpath(QStringLiteral(POREMI_TEST_OUTPUT_DIR));
    return QStringLiteral(POREMI_TEST_OUTPUT_DIR);
#else
    return outputFolder();
#endif
}

inline bool keepFile(const QString& name, const QByteArray& bytes) {
    QFile file(QDir(keptFilesFolder()).filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace poremi::test
