#include "core/settings.h"

#include "core/app_frame.h"

namespace poremi::setting {
namespace {

TAppFrame* frame() { return TAppFrame::instance(); }

}  // namespace

bool read(const Bool& s) {
    return frame() ? frame()->readSettingBool(QString::fromLatin1(s.name), s.defaultValue) : s.defaultValue;
}

int read(const Int& s) {
    return frame() ? frame()->readSettingInt(QString::fromLatin1(s.name), s.defaultValue) : s.defaultValue;
}

QString read(const String& s) {
    const QString fallback = QString::fromUtf16(s.defaultValue);
    return frame() ? frame()->readSettingString(QString::fromLatin1(s.name), fallback) : fallback;
}

void write(const Bool& s, bool value) {
    if (frame()) frame()->writeSettingBool(QString::fromLatin1(s.name), value);
}

void write(const Int& s, int value) {
    if (frame()) frame()->writeSettingInt(QString::fromLatin1(s.name), value);
}

void write(const String& s, const QString& value) {
    if (frame()) frame()->writeSettingString(QString::fromLatin1(s.name), value);
}

int proxyPortNumber() {
    bool ok = false;
    const int port = read(ProxyPort).trimmed().toInt(&ok);
    return ok && port > 0 ? port : 80;
}

}  // namespace poremi::setting
