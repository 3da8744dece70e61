#include "document/model/change_channel.h"

#include "render/raster/change_notifier.h"

#include <QtCore/QtGlobal>
#include <algorithm>
#include <exception>

namespace poremi {

TListener::TListener(Handler handler) : handler_(std::move(handler)) {}

TListener::~TListener() {
    while (!broadcasters_.empty()) stopListening(*broadcasters_.back());
    while (!bridges_.empty()) stopListening(*bridges_.back().notifier);
}

void TListener::listenTo(TBroadcaster& broadcaster) {
    if (std::ranges::find(broadcasters_, &broadcaster) != broadcasters_.end()) return;
    broadcasters_.push_back(&broadcaster);
    broadcaster.listeners_.push_back(this);
}

void TListener::stopListening(TBroadcaster& broadcaster) {
    std::erase(broadcasters_, &broadcaster);
    std::erase(broadcaster.listeners_, this);
}

void TListener::listenTo(ChangeNotifier& notifier) {
    if (std::ranges::any_of(bridges_, [&](const Bridge& b) { return b.notifier == &notifier; })) return;
    const int handle = notifier.addListener([this, sender = &notifier] { receive(sender, msgChanged); });
    bridges_.push_back({&notifier, handle, notifier.lifetime()});
}

void TListener::stopListening(ChangeNotifier& notifier) {
    const auto bridge = std::ranges::find_if(bridges_, [&](const Bridge& b) { return b.notifier == &notifier; });
    if (bridge == bridges_.end()) return;
    // A notifier destroyed before its listener has nothing left to remove.
    if (!bridge->alive.expired()) notifier.removeListener(bridge->handle);
    bridges_.erase(bridge);
}

void TListener::receive(MessageSender sender, const Guid& message) {
    if (handler_) handler_(sender, message);
}

void TListener::forget(const TBroadcaster& broadcaster) { std::erase(broadcasters_, &broadcaster); }

TBroadcaster::TBroadcaster(MessageSender sender) : sender_(sender) {}

TBroadcaster::~TBroadcaster() {
    // A receiver that fails cannot stop the destruction; its error is only logged.
    try {
        broadcast(msgDestroying);
    } catch (const std::exception& error) {
        qWarning("error while announcing destruction: %s", error.what());
    }
    for (TListener* listener : listeners_) listener->forget(*this);
}

void TBroadcaster::broadcast(const Guid& message) {
    const std::vector<TListener*> receivers = listeners_;
    for (TListener* listener : receivers)
        if (std::ranges::find(listeners_, listener) != listeners_.end()) listener->receive(sender(), message);
}

void TChangeNotify::endUpdate() {
    if (updating_ == 0 || --updating_ > 0 || !pending_) return;
    pending_ = false;
    broadcast(msgChanged);
}

void TChangeNotify::changed() {
    beginUpdate();
    pending_ = true;
    endUpdate();
}

}  // namespace poremi
