#pragma once
// A most-recent-first list of texts kept in a settings sub-key ("Item0" = most recent),
// optionally shown as items of a menu after an anchor item.

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QStringList>
#include <functional>

class QAction;
class QMenu;

namespace poremi {

class THistoryManager : public QObject {
    Q_OBJECT
public:
    explicit THistoryManager(QObject* parent = nullptr);
    ~THistoryManager() override;

    // Macro-expanded when used; the last path component is the list's sub-key.
    QString registryKey() const { return registryKey_; }
    void setRegistryKey(const QString& key) { registryKey_ = key; }
    int limit() const { return limit_; }
    void setLimit(int limit) { limit_ = limit; }
    bool useAccelerator() const { return useAccelerator_; }
    void setUseAccelerator(bool on) { useAccelerator_ = on; }
    QString clearHistoryCaption() const { return clearCaption_; }
    void setClearHistoryCaption(const QString& caption) { clearCaption_ = caption; }
    // The menu items are built after anchor (an action of menu); the anchor itself is hidden.
    void setMenuItem(QMenu* menu, QAction* anchor);

    std::function<void(const QString& text)> OnMenuClick;

    // Moves text to the top (case-insensitive duplicates removed), keeps at most limit().
    void add(const QString& text);
    void remove(const QString& text);
    QStringList items();
    void clearAll();

    // The caption of the entry at index in the menu.
    QString menuCaption(int index, const QString& text) const;

private:
    QStringList load();
    void store(const QStringList& list);
    void rebuildMenu(const QStringList& list);
    void clearMenu();
    std::pair<QString, QString> keyParts() const;

    QString registryKey_;
    int limit_ = 10;
    bool useAccelerator_ = false;
    QString clearCaption_;
    QPointer<QMenu> menu_;
    QPointer<QAction> anchor_;
    QList<QPointer<QAction>> created_;
};

}  // namespace poremi
