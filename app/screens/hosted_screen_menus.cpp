#include "app/screens/hosted_screen_menus.h"

#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>

namespace poremi {

void HostedScreenMenus::insert(QWidget& screen, const QList<QMenu*>& menus) {
    remove();
    auto* window = qobject_cast<QMainWindow*>(screen.window());
    if (!window) return;
    bar_ = window->menuBar();
    const QList<QAction*> present = bar_->actions();
    QAction* before = present.size() > 1 ? present.at(1) : nullptr;
    for (QMenu* menu : menus) {
        bar_->insertMenu(before, menu);
        menus_.append(menu);
    }
}

void HostedScreenMenus::remove() {
    if (bar_)
        for (const QPointer<QMenu>& menu : menus_)
            if (menu) bar_->removeAction(menu->menuAction());
    menus_.clear();
    bar_.clear();
}

}  // namespace poremi
