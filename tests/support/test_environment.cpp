#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUuid>

namespace poremi::test {
namespace {

QTemporaryDir*& rootDir() {
    static QTemporaryDir* dir = nullptr;
    return dir;
}

}  // namespace

void preparePrivateEnvironment() {
    auto* dir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/poremi-test-XXXXXX"));
    rootDir() = dir;
    const QString root = dir->path();
    const auto set = [&](const char* name, const QString& sub) {
        const QString path = root + QLatin1Char('/') + sub;
        QDir().mkpath(path);
        qputenv(name, path.toLocal8Bit());
    };
    set("XDG_CONFIG_HOME", QStringLiteral("config"));
    set("XDG_DATA_HOME", QStringLiteral("data"));
    set("XDG_CACHE_HOME", QStringLiteral("cache"));
    set("XDG_RUNTIME_DIR", QStringLiteral("runtime"));
    set("TMPDIR", QStringLiteral("tmp"));
    QFile::setPermissions(root + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("POREMI_SETTINGS_FILE", (root + QStringLiteral("/config/settings.ini")).toLocal8Bit());
}

void releasePrivateEnvironment() {
    delete rootDir();
    rootDir() = nullptr;
}

QString privateRoot() { return rootDir() ? rootDir()->path() : QDir::tempPath(); }

QString freshFolder(const QString& name) {
    const QString path = privateRoot() + QLatin1Char('/') + name + QLatin1Char('-') +
                         QUuid::createUuid().toString(QUuid::Id128).left(8);
    QDir().mkpath(path);
    return path;
}

QString outputFolder() {
    // ctest names the folder of each test executable; a test run by hand keeps its files
    // in the private root.
    QString path = qEnvironmentVariable("POREMI_TEST_OUTPUT_DIR");
    if (path.isEmpty()) path = privateRoot() + QStringLiteral("/output");
    QDir().mkpath(path);
    return path;
}

}  // namespace poremi::test
