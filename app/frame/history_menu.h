#pragma once
// Shows a history list as items of a menu after an anchor item, rebuilt whenever the list
// changes; the anchor itself is hidden.

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QStringList>

class QAction;
class QMenu;

namespace poremi {

class THistoryManager;

class THistoryMenu : public QObject {
    Q_OBJECT
public:
    // anchor is an action of menu; history, menu and anchor may each be destroyed first.
    THistoryMenu(THistoryManager& history, QMenu* menu, QAction* anchor, QObject* parent = nullptr);
    ~THistoryMenu() override;

private:
    void rebuild(const QStringList& items);
    void clear();

    QPointer<THistoryManager> history_;
    QPointer<QMenu> menu_;
    QPointer<QAction> anchor_;
    QList<QPointer<QAction>> created_;
};

}  // namespace poremi
