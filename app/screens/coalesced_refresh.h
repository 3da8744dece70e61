#pragma once
// Runs a refresh once when the event loop is next idle, however often it was asked for in
// between: the screens update their commands, status bar and toolbar this way instead of on
// every idle turn.

#include <QtCore/QObject>
#include <QtCore/QTimer>
#include <functional>

namespace poremi {

class CoalescedRefresh : public QObject {
    Q_OBJECT
public:
    CoalescedRefresh(std::function<void()> refresh, QObject* parent);

    void request() { timer_.start(); }
    bool pending() const { return timer_.isActive(); }
    // Refreshes now when a refresh is pending (tests, or before reading what it updates).
    void flush();

private:
    std::function<void()> refresh_;
    QTimer timer_;
};

}  // namespace poremi
