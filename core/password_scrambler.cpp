#include "core/password_scrambler.h"

#include "base/text_codec.h"
#include "core/app_frame.h"
#include "platform/settings_store.h"

namespace poremi {
namespace {

const QByteArray kKey = QByteArrayLiteral("Qwhelmotrandis");

}  // namespace

QByteArray scrambleBytes(const QByteArray& bytes) {
    QByteArray out(bytes.size(), '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char key = kKey[i % kKey.size()];
        const char c = char(bytes[i] ^ key);
        out[i] = c == 0 ? key : c;
    }
    return out;
}

QByteArray scramblePassword(const QString& password) { return scrambleBytes(cp932::encode(password)); }

QString unscramblePassword(const QByteArray& stored) { return cp932::decode(scrambleBytes(stored)); }

void writeScrambledSetting(const QString& name, const QString& password) {
    TAppFrame* frame = TAppFrame::instance();
    if (!frame || frame->settingsKey().isEmpty()) return;
    SettingsStore::instance().setValue(frame->settingsKey(), name, scramblePassword(password));
}

QString readScrambledSetting(const QString& name) {
    TAppFrame* frame = TAppFrame::instance();
    if (!frame || frame->settingsKey().isEmpty()) return QString();
    const auto value = SettingsStore::instance().value(frame->settingsKey(), name);
    return value ? unscramblePassword(value->toByteArray()) : QString();
}

}  // namespace poremi
