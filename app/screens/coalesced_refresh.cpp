#include "app/screens/coalesced_refresh.h"

namespace poremi {

CoalescedRefresh::CoalescedRefresh(std::function<void()> refresh, QObject* parent)
    : QObject(parent), refresh_(std::move(refresh)) {
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] { refresh_(); });
}

void CoalescedRefresh::flush() {
    if (!timer_.isActive()) return;
    timer_.stop();
    refresh_();
}

}  // namespace poremi
