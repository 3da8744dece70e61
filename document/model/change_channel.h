#pragma once
// The change channel of draw objects: a broadcaster sends a 16-byte message identifier to its
// listeners. TChangeNotify collapses every change inside nested update brackets into one
// msgChanged when the outermost bracket closes. Listeners also take the change notifiers of
// fills and picture data, whose changes arrive as msgChanged.

#include "base/guid.h"

#include <functional>
#include <memory>
#include <vector>

namespace poremi {

class ChangeNotifier;

inline constexpr Guid msgChanged{0x1153AE63, 0x523C, 0x11D3, {0xAD, 0x37, 0x00, 0x50, 0x04, 0x63, 0x09, 0x8A}};
inline constexpr Guid msgSelectionChanged{0xB423E361, 0x44C6, 0x11D3, {0xAD, 0x13, 0x00, 0x50, 0x04, 0x63, 0x09, 0x8A}};
inline constexpr Guid msgMovableChanged{0xB45F6E91, 0x458A, 0x11D3, {0xAD, 0x15, 0x00, 0x50, 0x04, 0x63, 0x09, 0x8A}};
inline constexpr Guid msgDontPrintChanged{0xB45F6E92, 0x458A, 0x11D3, {0xAD, 0x15, 0x00, 0x50, 0x04, 0x63, 0x09, 0x8A}};
inline constexpr Guid msgDestroying{0xFF0E0940, 0x2D29, 0x11D3, {0xAC, 0xCC, 0x00, 0x50, 0x04, 0x63, 0x09, 0x8A}};

// Who sent a message: the object a broadcaster speaks for, or a bridged notifier. Receivers
// compare it with the addresses of their sub-objects; it is never dereferenced.
using MessageSender = const void*;

class TBroadcaster;

class TListener {
public:
    using Handler = std::function<void(MessageSender sender, const Guid& message)>;

    explicit TListener(Handler handler);
    // Detaches from every broadcaster and every notifier still alive.
    ~TListener();
    TListener(const TListener&) = delete;
    TListener& operator=(const TListener&) = delete;

    // Listening twice to the same partner is one subscription.
    void listenTo(TBroadcaster& broadcaster);
    void stopListening(TBroadcaster& broadcaster);
    void listenTo(ChangeNotifier& notifier);
    void stopListening(ChangeNotifier& notifier);

private:
    friend class TBroadcaster;

    struct Bridge {
        ChangeNotifier* notifier;
        int handle;
        std::weak_ptr<const void> alive;
    };

    void receive(MessageSender sender, const Guid& message);
    // A broadcaster going away drops this listener.
    void forget(const TBroadcaster& broadcaster);

    Handler handler_;
    std::vector<TBroadcaster*> broadcasters_;
    std::vector<Bridge> bridges_;
};

class TBroadcaster {
public:
    // Messages name sender as their sender; none names the broadcaster itself.
    explicit TBroadcaster(MessageSender sender = nullptr);
    // Sends msgDestroying, then detaches every listener.
    virtual ~TBroadcaster();
    TBroadcaster(const TBroadcaster&) = delete;
    TBroadcaster& operator=(const TBroadcaster&) = delete;

    MessageSender sender() const { return sender_ ? sender_ : this; }
    void setSender(MessageSender sender) { sender_ = sender; }

    void addListener(TListener& listener) { listener.listenTo(*this); }
    void removeListener(TListener& listener) { listener.stopListening(*this); }

    // Every listener attached when the message starts gets it once, unless it is detached or
    // destroyed by an earlier receiver.
    void broadcast(const Guid& message);

private:
    friend class TListener;

    MessageSender sender_;
    std::vector<TListener*> listeners_;
};

class TChangeNotify : public TBroadcaster {
public:
    using TBroadcaster::TBroadcaster;

    void beginUpdate() { ++updating_; }
    // The outermost end sends msgChanged when a change was marked inside the brackets.
    void endUpdate();
    // One change unit: begin, mark pending, end.
    void changed();
    bool isUpdating() const { return updating_ > 0; }

private:
    int updating_ = 0;
    bool pending_ = false;
};

}  // namespace poremi
