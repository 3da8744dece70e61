#include "core/history_manager.h"

#include "core/app_frame.h"
#include "platform/settings_store.h"

#include <QtCore/QRegularExpression>
#include <QtGui/QAction>
#include <QtWidgets/QMenu>
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

THistoryManager::~THistoryManager() { clearMenu(); }

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
    rebuildMenu(list);
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

void THistoryManager::setMenuItem(QMenu* menu, QAction* anchor) {
    clearMenu();
    menu_ = menu;
    anchor_ = anchor;
    if (menu_ && anchor_) rebuildMenu(load());
}

QString THistoryManager::menuCaption(int index, const QString& text) const {
    QString shown = text;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (!useAccelerator_) return shown;
    const QChar key = index < 10 ? QChar(u'0' + index) : QChar(u'A' + (index - 10));
    return QLatin1Char('&') + key + QLatin1Char(' ') + shown;
}

void THistoryManager::clearMenu() {
    for (const QPointer<QAction>& action : created_) {
        if (action) {
            if (menu_) menu_->removeAction(action);
            // Later: the action being triggered may be one of these.
            action->deleteLater();
        }
    }
    created_.clear();
}

void THistoryManager::rebuildMenu(const QStringList& list) {
    if (!menu_ || !anchor_) return;
    clearMenu();
    anchor_->setVisible(false);
    if (list.isEmpty()) return;
    const QList<QAction*> actions = menu_->actions();
    const qsizetype anchorIndex = actions.indexOf(anchor_.data());
    QAction* before = anchorIndex >= 0 && anchorIndex + 1 < actions.size() ? actions[anchorIndex + 1] : nullptr;
    const auto insert = [&](QAction* action) {
        menu_->insertAction(before, action);
        created_.append(action);
    };
    const auto separator = [&] {
        auto* action = new QAction(menu_);
        action->setSeparator(true);
        insert(action);
    };
    if (anchorIndex > 0) separator();
    for (qsizetype i = 0; i < list.size(); ++i) {
        auto* action = new QAction(menuCaption(int(i), list[i]), menu_);
        const QString text = list[i];
        connect(action, &QAction::triggered, this, [this, text] {
            add(text);
            if (OnMenuClick) OnMenuClick(text);
        });
        insert(action);
    }
    if (!clearCaption_.isEmpty()) {
        separator();
        auto* action = new QAction(clearCaption_, menu_);
        connect(action, &QAction::triggered, this, [this] { clearAll(); });
        insert(action);
    }
}

}  // namespace poremi
