#pragma once
// A most-recent-first list of texts kept in a settings sub-key ("Item0" = most recent), with
// what a menu shows of it; app/frame/history_menu.h puts the entries into a menu.

#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <functional>

namespace poremi {

class THistoryManager : public QObject {
    Q_OBJECT
public:
    explicit THistoryManager(QObject* parent = nullptr);

    // Macro-expanded when used; the last path component is the list's sub-key.
    QString registryKey() const { return registryKey_; }
    void setRegistryKey(const QString& key) { registryKey_ = key; }
    int limit() const { return limit_; }
    void setLimit(int limit) { limit_ = limit; }
    bool useAccelerator() const { return useAccelerator_; }
    void setUseAccelerator(bool on) { useAccelerator_ = on; }
    QString clearHistoryCaption() const { return clearCaption_; }
    void setClearHistoryCaption(const QString& caption) { clearCaption_ = caption; }
    std::function<void(const QString& text)> OnMenuClick;

    // Moves text to the top (case-insensitive duplicates removed), keeps at most limit().
    void add(const QString& text);
    void remove(const QString& text);
    QStringList items();
    void clearAll();
    // An entry chosen from the menu: moved to the top, then OnMenuClick.
    void choose(const QString& text);

    // The caption of the entry at index in the menu.
    QString menuCaption(int index, const QString& text) const;

signals:
    // After every change of the stored list.
    void changed(const QStringList& items);

private:
    QStringList load();
    void store(const QStringList& list);
    std::pair<QString, QString> keyParts() const;

    QString registryKey_;
    int limit_ = 10;
    bool useAccelerator_ = false;
    QString clearCaption_;
};

}  // namespace poremi
