#include "app/module/instance_channel.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <future>
#include <gtest/gtest.h>

namespace poremi {
namespace {

// Runs send() on another thread while this one serves the channel's events.
bool sendWhileServing(const QString& name, const QString& file) {
    auto sent = std::async(std::launch::async, [&] { return InstanceChannel::send(name, file); });
    QElapsedTimer timer;
    timer.start();
    while (sent.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready && timer.elapsed() < 10000)
        QCoreApplication::processEvents();
    return sent.get();
}

TEST(InstanceChannel, HandsTheFileToTheRunningInstance) {
    InstanceChannel running(QStringLiteral("ぽれみ.0.1.test-channel"));
    ASSERT_TRUE(running.listen());
    QStringList received;
    QObject::connect(&running, &InstanceChannel::fileReceived, [&](const QString& file) { received << file; });
    const QString file = QStringLiteral("/home/利用者/ラベル 1.lbx");
    EXPECT_TRUE(sendWhileServing(QStringLiteral("ぽれみ.0.1.test-channel"), file));
    EXPECT_EQ(received, QStringList{file});
}

TEST(InstanceChannel, NothingIsTakenWhenNoInstanceRuns) {
    EXPECT_FALSE(InstanceChannel::send(QStringLiteral("ぽれみ.0.1.nobody-listens"), QStringLiteral("/tmp/a.lbx")));
    {
        InstanceChannel ended(QStringLiteral("ぽれみ.0.1.ended"));
        ASSERT_TRUE(ended.listen());
    }
    EXPECT_FALSE(InstanceChannel::send(QStringLiteral("ぽれみ.0.1.ended"), QStringLiteral("/tmp/a.lbx")));
}

}  // namespace
}  // namespace poremi
