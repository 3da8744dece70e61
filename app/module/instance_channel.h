#pragma once
// Hands a file name from a second start of the program to the instance already running,
// through a local socket in the user's runtime folder, so that one window opens it.

#include <QtCore/QObject>
#include <QtCore/QString>

class QSocketNotifier;

namespace poremi {

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(const QString& name, QObject* parent = nullptr);
    ~InstanceChannel() override;

    // Listens for file names; call only while holding the single-instance lock (a socket left
    // by a dead instance is replaced). False when the socket cannot be made.
    bool listen();

    // Gives fileName to the instance listening under name; false when none took it in time.
    static bool send(const QString& name, const QString& fileName);

signals:
    void fileReceived(const QString& fileName);

private:
    void acceptOne();

    QString path_;
    int socket_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace poremi
