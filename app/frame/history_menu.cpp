#include "app/frame/history_menu.h"

#include "core/history_manager.h"

#include <QtGui/QAction>
#include <QtWidgets/QMenu>

namespace poremi {

THistoryMenu::THistoryMenu(THistoryManager& history, QMenu* menu, QAction* anchor, QObject* parent)
    : QObject(parent), history_(&history), menu_(menu), anchor_(anchor) {
    connect(&history, &THistoryManager::changed, this, &THistoryMenu::rebuild);
    if (menu_ && anchor_) rebuild(history.items());
}

THistoryMenu::~THistoryMenu() { clear(); }

void THistoryMenu::clear() {
    for (const QPointer<QAction>& action : created_) {
        if (action) {
            if (menu_) menu_->removeAction(action);
            // Later: the action being triggered may be one of these.
            action->deleteLater();
        }
    }
    created_.clear();
}

void THistoryMenu::rebuild(const QStringList& list) {
    if (!menu_ || !anchor_ || !history_) return;
    clear();
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
        auto* action = new QAction(history_->menuCaption(int(i), list[i]), menu_);
        const QString text = list[i];
        connect(action, &QAction::triggered, this, [this, text] {
            if (history_) history_->choose(text);
        });
        insert(action);
    }
    if (!history_->clearHistoryCaption().isEmpty()) {
        separator();
        auto* action = new QAction(history_->clearHistoryCaption(), menu_);
        connect(action, &QAction::triggered, this, [this] {
            if (history_) history_->clearAll();
        });
        insert(action);
    }
}

}  // namespace poremi
