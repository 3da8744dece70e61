#include "core/history_manager.h"

#include "core/app_frame.h"
#include "platform/settings_store.h"

#include <QtCore/QRegularExpression>
#include <algorithm>

namespace poremi {
namespace {

const QString kItemPrefix = QStringLiteral("Item");

// "Item2" sorts before "Item10"; other names follow by text.
bool itemNameLess(const QString& a, const QString& b) {
    static const QRegularExpression pattern(QStringLiteral("^Item(\\d+)$"), QRegularExpression::CaseInsensitiveOption);
    const auto ma = pattern.match(a);
    const auto mb = pattern.match(b);
    if (ma.hasMatch() && mb.hasMatch()) return ma.captured(1).toULongLong() < mb.captured(1).toULongLong();
    if (ma.hasMatch() != mb.hasMatch()) return ma.hasMatch();
    return a < b;
}

}  // namespace

THistoryManager::THistoryManager(QObject* parent) : QObject(parent) {}

std::pair<QString, QString> THistoryManager::keyParts() const {
    const QString path = ExpandMacros(registryKey_);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('\\'));
    const QString parent = slash < 0 ? QString() : path.left(slash);
    const QString sub = slash < 0 ? path : path.mid(slash + 1);
    if (parent.isEmpty() || sub.isEmpty()) throw Exception(QStringLiteral("History用のキーがセットされていません"));
    return {parent, sub};
}

QStringList THistoryManager::load() {
    const auto [parent, sub] = keyParts();
    const QString key = parent + QLatin1Char('\\') + sub;
    SettingsStore& store = SettingsStore::instance();
    QStringList names = store.valueNames(key);
    std::sort(names.begin(), names.end(), itemNameLess);
    QStringList list;
    for (const QString& name : names) {
        if (list.size() >= limit_) break;
        if (const auto value = store.value(key, name)) list << value->toString();
    }
    return list;
}

void THistoryManager::store(const QStringList& list) {
    const auto [parent, sub] = keyParts();
    const QString key = parent + QLatin1Char('\\') + sub;
    SettingsStore& store = SettingsStore::instance();
    store.removeKey(key);
    for (qsizetype i = 0; i < list.size(); ++i) store.setValue(key, kItemPrefix + QString::number(i), list[i]);
    store.sync();
    emit changed(list);
}

void THistoryManager::add(const QString& text) {
    QStringList list = load();
    list.removeIf([&](const QString& entry) { return entry.compare(text, Qt::CaseInsensitive) == 0; });
    list.prepend(text);
    while (list.size() > std::max(limit_, 0)) list.removeLast();
    store(list);
}

void THistoryManager::remove(const QString& text) {
    QStringList list = load();
    const auto removed = list.removeIf([&](const QString& entry) { return entry.compare(text, Qt::CaseInsensitive) == 0; });
    if (removed > 0) store(list);
}

QStringList THistoryManager::items() { return load(); }

void THistoryManager::clearAll() { store({}); }

void THistoryManager::choose(const QString& text) {
    add(text);
    if (OnMenuClick) OnMenuClick(text);
}

QString THistoryManager::menuCaption(int index, const QString& text) const {
    QString shown = text;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (!useAccelerator_) return shown;
    const QChar key = index < 10 ? QChar(u'0' + index) : QChar(u'A' + (index - 10));
    return QLatin1Char('&') + key + QLatin1Char(' ') + shown;
}

}  // namespace poremi
