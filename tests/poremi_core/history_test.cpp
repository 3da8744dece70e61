#include "tests/support/frame_fixture.h"

#include "base/text_codec.h"
#include "core/env_ini_io.h"
#include "core/history_manager.h"
#include "core/password_scrambler.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

namespace poremi::test {
namespace {

class HistoryTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        history.setRegistryKey(QStringLiteral("$(OpenFileHistory)"));
    }
    THistoryManager history;
};

TEST_F(HistoryTest, AddMovesToTopWithoutCaseInsensitiveDuplicates) {
    history.add(QStringLiteral("a.lbx"));
    history.add(QStringLiteral("b.lbx"));
    history.add(QStringLiteral("A.LBX"));
    EXPECT_EQ(history.items(), (QStringList{QStringLiteral("A.LBX"), QStringLiteral("b.lbx")}));
    history.remove(QStringLiteral("B.lbx"));
    EXPECT_EQ(history.items(), QStringList{QStringLiteral("A.LBX")});
    history.clearAll();
    EXPECT_TRUE(history.items().isEmpty());
}

TEST_F(HistoryTest, KeepsTheLimitAndOrdersByItemNumber) {
    for (int i = 0; i < 11; ++i) history.add(QStringLiteral("f%1").arg(i));
    const QStringList items = history.items();
    ASSERT_EQ(items.size(), 10);
    EXPECT_EQ(items.first(), QStringLiteral("f10"));
    EXPECT_EQ(items.last(), QStringLiteral("f1"));  // f0, the oldest, dropped

    // With more than ten entries, "Item10" must follow "Item9", not "Item1".
    history.setLimit(12);
    history.add(QStringLiteral("f11"));
    history.add(QStringLiteral("f12"));
    EXPECT_EQ(history.items().at(10), QStringLiteral("f2"));
    EXPECT_EQ(history.items().at(11), QStringLiteral("f1"));
}

TEST_F(HistoryTest, StoresItemsUnderTheSubKey) {
    history.add(QStringLiteral("x"));
    const QString key = frame->expandMacros(QStringLiteral("$(OpenFileHistory)"));
    EXPECT_EQ(SettingsStore::instance().valueNames(key), QStringList{QStringLiteral("Item0")});
}

TEST_F(HistoryTest, EmptyKeyIsAnError) {
    THistoryManager empty;
    try {
        empty.items();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("History用のキーがセットされていません"));
    }
}

TEST_F(HistoryTest, MenuCaptionsCountDigitsThenLettersAndDoubleAmpersands) {
    EXPECT_EQ(history.menuCaption(0, QStringLiteral("R&B.lbx")), QStringLiteral("R&&B.lbx"));
    history.setUseAccelerator(true);
    EXPECT_EQ(history.menuCaption(0, QStringLiteral("R&B.lbx")), QStringLiteral("&0 R&&B.lbx"));
    EXPECT_EQ(history.menuCaption(9, QStringLiteral("a")), QStringLiteral("&9 a"));
    EXPECT_EQ(history.menuCaption(10, QStringLiteral("a")), QStringLiteral("&A a"));
    EXPECT_EQ(history.menuCaption(11, QStringLiteral("a")), QStringLiteral("&B a"));
}

TEST_F(HistoryTest, ChoosingMovesToTheTopThenTellsAndEveryChangeIsAnnounced) {
    QList<QStringList> announced;
    QObject::connect(&history, &THistoryManager::changed, [&](const QStringList& items) { announced << items; });
    history.add(QStringLiteral("a"));
    history.add(QStringLiteral("b"));
    QStringList whenClicked;
    history.OnMenuClick = [&](const QString&) { whenClicked = history.items(); };
    history.choose(QStringLiteral("a"));
    EXPECT_EQ(whenClicked, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    history.clearAll();
    ASSERT_EQ(announced.size(), 4);
    EXPECT_EQ(announced[1], (QStringList{QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_EQ(announced[2], (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_TRUE(announced[3].isEmpty());
}

TEST_F(FrameTest, PasswordScramblingRoundTripsEveryText) {
    const QStringList samples = {QString(), QStringLiteral("Q"), QStringLiteral("Qwhelmotrandis"),
                                 QStringLiteral("QwhelmotrandisQwhelmo"), QStringLiteral("pass word ～ 日本"),
                                 QStringLiteral("\x7f\x01")};
    for (const QString& s : samples) {
        const QByteArray stored = scramblePassword(s);
        EXPECT_EQ(stored.size(), QByteArray(cp932::encode(s)).size());
        EXPECT_FALSE(stored.contains('\0'));
        EXPECT_EQ(unscramblePassword(stored), s) << s.toStdString();
        writeScrambledSetting(QStringLiteral("ProxyPassword"), s);
        SettingsStore::reopen(SettingsStore::instance().filePath());
        EXPECT_EQ(readScrambledSetting(QStringLiteral("ProxyPassword")), s);
    }
    // A character equal to the key at its position is stored as the key character itself.
    EXPECT_EQ(scramblePassword(QStringLiteral("Qw")), QByteArray("Qw"));
}

TEST_F(FrameTest, EnvIniIoKeepsValuesAndBoundsThatFitTheScreen) {
    TEnvIniIO io(QStringLiteral("frmAlbumData"));
    EXPECT_EQ(io.readInt(QStringLiteral("Columns"), 7), 7);
    io.writeString(QStringLiteral("Sort"), QStringLiteral("Artist"));
    EXPECT_EQ(io.readString(QStringLiteral("Sort"), QString()), QStringLiteral("Artist"));

    EXPECT_FALSE(io.storedBounds());
    io.saveBounds(QRect(30, 40, 200, 100));
    EXPECT_EQ(io.readInt(QStringLiteral("FormRight"), 0), 230);
    EXPECT_EQ(io.readInt(QStringLiteral("FormBottom"), 0), 140);
    EXPECT_EQ(io.storedBounds(), QRect(30, 40, 200, 100));

    // A corner within 16 pixels of the screen's right or bottom edge is not used.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    io.writeInt(QStringLiteral("FormLeft"), screen.right() - 16);
    io.writeInt(QStringLiteral("FormRight"), screen.right() + 184);
    EXPECT_EQ(io.storedBounds(), QRect(screen.right() - 16, 40, 200, 100));
    io.writeInt(QStringLiteral("FormLeft"), screen.right() - 15);
    EXPECT_FALSE(io.storedBounds());
    io.saveBounds(QRect(30, screen.bottom() - 10, 200, 100));
    EXPECT_FALSE(io.storedBounds());
}

}  // namespace
}  // namespace poremi::test
