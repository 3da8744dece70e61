#include "document/model/change_channel.h"

#include "render/raster/change_notifier.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace poremi {
namespace {

struct Received {
    MessageSender sender;
    Guid message;
};

struct Recorder {
    std::vector<Received> messages;
    TListener listener{[this](MessageSender sender, const Guid& message) { messages.push_back({sender, message}); }};

    int count(const Guid& message) const {
        return static_cast<int>(std::ranges::count_if(messages, [&](const Received& r) { return r.message == message; }));
    }
};

TEST(ChangeChannel, MessageIdentifiersAreTheFixedOnes) {
    EXPECT_EQ(msgChanged.toString(), "{1153AE63-523C-11D3-AD37-00500463098A}");
    EXPECT_EQ(msgSelectionChanged.toString(), "{B423E361-44C6-11D3-AD13-00500463098A}");
    EXPECT_EQ(msgMovableChanged.toString(), "{B45F6E91-458A-11D3-AD15-00500463098A}");
    EXPECT_EQ(msgDontPrintChanged.toString(), "{B45F6E92-458A-11D3-AD15-00500463098A}");
    EXPECT_EQ(msgDestroying.toString(), "{FF0E0940-2D29-11D3-ACCC-00500463098A}");
}

TEST(ChangeChannel, NestedUpdatesSendOneChangeAtTheOutermostEnd) {
    int owner = 0;
    TChangeNotify notify(&owner);
    Recorder recorder;
    recorder.listener.listenTo(notify);

    notify.beginUpdate();
    notify.changed();
    notify.beginUpdate();
    notify.changed();
    notify.changed();
    notify.endUpdate();
    EXPECT_TRUE(recorder.messages.empty()) << "nothing is sent while a bracket is open";
    notify.endUpdate();

    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].message, msgChanged);
    EXPECT_EQ(recorder.messages[0].sender, &owner);
}

TEST(ChangeChannel, BracketsWithoutChangeAndUnbalancedEndsSendNothing) {
    TChangeNotify notify;
    Recorder recorder;
    recorder.listener.listenTo(notify);
    notify.beginUpdate();
    notify.endUpdate();
    notify.endUpdate();
    EXPECT_TRUE(recorder.messages.empty());
    notify.changed();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].sender, &notify) << "without a sender the broadcaster names itself";
}

TEST(ChangeChannel, ListeningTwiceIsOneSubscription) {
    TBroadcaster broadcaster;
    Recorder recorder;
    recorder.listener.listenTo(broadcaster);
    broadcaster.addListener(recorder.listener);
    broadcaster.broadcast(msgSelectionChanged);
    EXPECT_EQ(recorder.count(msgSelectionChanged), 1);
    broadcaster.removeListener(recorder.listener);
    broadcaster.broadcast(msgSelectionChanged);
    EXPECT_EQ(recorder.count(msgSelectionChanged), 1);
}

TEST(ChangeChannel, DestroyingBroadcasterAnnouncesItselfAndLetsListenersGo) {
    Recorder recorder;
    {
        TBroadcaster broadcaster;
        recorder.listener.listenTo(broadcaster);
    }
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].message, msgDestroying);
    // The recorder's listener outlives the broadcaster; its destructor must not touch it (ASan).
}

TEST(ChangeChannel, ListenerDestroyedFirstIsNoLongerCalled) {
    TChangeNotify notify;
    auto recorder = std::make_unique<Recorder>();
    recorder->listener.listenTo(notify);
    recorder.reset();
    notify.changed();  // would reach freed memory if the listener had stayed attached
    SUCCEED();
}

TEST(ChangeChannel, ReceiverDetachingAnotherDuringABroadcastSkipsIt) {
    TBroadcaster broadcaster;
    Recorder second;
    TListener first([&](MessageSender, const Guid&) { second.listener.stopListening(broadcaster); });
    first.listenTo(broadcaster);
    second.listener.listenTo(broadcaster);
    broadcaster.broadcast(msgMovableChanged);
    EXPECT_TRUE(second.messages.empty());
}

TEST(ChangeChannel, NotifierChangesArriveAsChangedFromTheNotifier) {
    ChangeNotifier notifier;
    Recorder recorder;
    recorder.listener.listenTo(notifier);
    recorder.listener.listenTo(notifier);
    notifier.changed();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].message, msgChanged);
    EXPECT_EQ(recorder.messages[0].sender, &notifier);

    recorder.listener.stopListening(notifier);
    notifier.changed();
    EXPECT_EQ(recorder.messages.size(), 1u);
}

TEST(ChangeChannel, NotifierMayDieBeforeItsListenerAndTheListenerBeforeItsNotifier) {
    {
        Recorder recorder;
        {
            ChangeNotifier notifier;
            recorder.listener.listenTo(notifier);
        }
    }  // the listener's destructor must not remove itself from the freed notifier (ASan)
    ChangeNotifier notifier;
    {
        Recorder recorder;
        recorder.listener.listenTo(notifier);
    }
    notifier.changed();  // must not call the freed listener (ASan)
    SUCCEED();
}

}  // namespace
}  // namespace poremi
