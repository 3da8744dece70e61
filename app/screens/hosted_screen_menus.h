#pragma once
// A hosted screen's own menus in the main window's menu bar, right after "ファイル(&F)", for as
// long as the screen is shown there: they leave when the screen is hidden for good or freed.

#include <QtCore/QList>
#include <QtCore/QPointer>

class QMenu;
class QMenuBar;
class QWidget;

namespace poremi {

class HostedScreenMenus {
public:
    HostedScreenMenus() = default;
    ~HostedScreenMenus() { remove(); }
    HostedScreenMenus(const HostedScreenMenus&) = delete;
    HostedScreenMenus& operator=(const HostedScreenMenus&) = delete;

    // Puts the menus (not owned) into the menu bar of the screen's main window, if it has one.
    void insert(QWidget& screen, const QList<QMenu*>& menus);
    void remove();
    bool inserted() const { return !bar_.isNull(); }

private:
    QPointer<QMenuBar> bar_;
    QList<QPointer<QMenu>> menus_;
};

}  // namespace poremi
