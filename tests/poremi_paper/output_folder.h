#pragma once
// Where this library's tests keep what a person may look at afterwards (images, streams).

#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>

namespace poremi::test {

inline bool keepFile(const QString& name, const QByteArray& bytes) {
    QFile file(QDir(outputFolder()).filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace poremi::test
