#include "core/env_ini_io.h"

#include "core/app_frame.h"
#include "platform/settings_store.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>

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

void TEnvIniIO::saveBounds(const QWidget& form) {
    const QRect r = form.geometry();
    writeInt(QStringLiteral("FormLeft"), r.left());
    writeInt(QStringLiteral("FormTop"), r.top());
    writeInt(QStringLiteral("FormRight"), r.left() + r.width());
    writeInt(QStringLiteral("FormBottom"), r.top() + r.height());
}

void TEnvIniIO::restoreBounds(QWidget& form) const {
    const int left = readInt(QStringLiteral("FormLeft"), -1);
    const int top = readInt(QStringLiteral("FormTop"), -1);
    const int right = readInt(QStringLiteral("FormRight"), -1);
    const int bottom = readInt(QStringLiteral("FormBottom"), -1);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const bool missing = left == -1 || top == -1 || right == -1 || bottom == -1;
    if (missing || left > area.right() - kEdgeMargin || top > area.bottom() - kEdgeMargin) {
        const QWidget* owner = form.parentWidget() ? form.parentWidget()->window() : nullptr;
        const QRect around = owner ? owner->geometry() : area;
        QRect r = form.geometry();
        r.moveCenter(around.center());
        form.setGeometry(r);
        return;
    }
    form.setGeometry(left, top, right - left, bottom - top);
}

}  // namespace poremi
