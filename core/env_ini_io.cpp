#include "core/env_ini_io.h"

#include "core/app_frame.h"
#include "platform/settings_store.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

namespace poremi {
namespace {

constexpr int kEdgeMargin = 16;

}  // namespace

TEnvIniIO::TEnvIniIO(const QString& section) : key_(ExpandMacros(QStringLiteral("$(SysRegistryKey)\\")) + section) {}

void TEnvIniIO::writeInt(const QString& name, int value) { SettingsStore::instance().setValue(key_, name, value); }

int TEnvIniIO::readInt(const QString& name, int defaultValue) const {
    const auto value = SettingsStore::instance().value(key_, name);
    if (!value) return defaultValue;
    bool ok = false;
    const int number = value->toInt(&ok);
    return ok ? number : defaultValue;
}

void TEnvIniIO::writeString(const QString& name, const QString& value) {
    SettingsStore::instance().setValue(key_, name, value);
}

QString TEnvIniIO::readString(const QString& name, const QString& defaultValue) const {
    const auto value = SettingsStore::instance().value(key_, name);
    return value ? value->toString() : defaultValue;
}

void TEnvIniIO::saveBounds(const QRect& r) {
    writeInt(QStringLiteral("FormLeft"), r.left());
    writeInt(QStringLiteral("FormTop"), r.top());
    writeInt(QStringLiteral("FormRight"), r.left() + r.width());
    writeInt(QStringLiteral("FormBottom"), r.top() + r.height());
}

std::optional<QRect> TEnvIniIO::storedBounds() const {
    const int left = readInt(QStringLiteral("FormLeft"), -1);
    const int top = readInt(QStringLiteral("FormTop"), -1);
    const int right = readInt(QStringLiteral("FormRight"), -1);
    const int bottom = readInt(QStringLiteral("FormBottom"), -1);
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const bool missing = left == -1 || top == -1 || right == -1 || bottom == -1;
    if (missing || left > area.right() - kEdgeMargin || top > area.bottom() - kEdgeMargin) return std::nullopt;
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace poremi
