#include "render/raster/change_notifier.h"

#include <algorithm>

namespace poremi {

int ChangeNotifier::addListener(Listener listener)
{
    listeners_.push_back({nextHandle_, std::move(listener)});
    return nextHandle_++;
}

void ChangeNotifier::removeListener(int handle)
{
    std::erase_if(listeners_, [handle](const Entry& e) { return e.handle == handle; });
}

void ChangeNotifier::endUpdate()
{
    if (updating_ > 0 && --updating_ == 0 && pending_) {
        pending_ = false;
        changed();
    }
}

void ChangeNotifier::changed()
{
    if (updating_ > 0) {
        pending_ = true;
        return;
    }
    const auto snapshot = listeners_;
    for (const Entry& entry : snapshot)
        entry.listener();
}

}  // namespace poremi
