#include "frame_fixture.h"

#include "core/env_ini_io.h"
#include "core/history_manager.h"
#include "core/password_scrambler.h"
#include "base/text_codec.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

#include <QtGui/QAction>
#include <QtWidgets/QMenu>

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

TEST_F(HistoryTest, BuildsMenuItemsAfterTheAnchor) {
    QMenu menu;
    menu.addAction(QStringLiteral("開く(&O)"));
    QAction* anchor = menu.addAction(QStringLiteral("(履歴)"));
    QAction* quit = menu.addAction(QStringLiteral("終了(&X)"));
    history.setUseAccelerator(true);
    history.setLimit(12);
    history.setClearHistoryCaption(QStringLiteral("履歴の消去"));
    history.setMenuItem(&menu, anchor);
    for (int i = 11; i >= 0; --i) history.add(QStringLiteral("R&B%1.lbx").arg(i));

    QStringList captions;
    for (QAction* a : menu.actions()) captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    ASSERT_EQ(captions.size(), 3 + 1 + 12 + 2);
    EXPECT_FALSE(anchor->isVisible());
    EXPECT_EQ(captions[2], QStringLiteral("-"));
    EXPECT_EQ(captions[3], QStringLiteral("&0 R&&B0.lbx"));
    EXPECT_EQ(captions[12], QStringLiteral("&9 R&&B9.lbx"));
    EXPECT_EQ(captions[13], QStringLiteral("&A R&&B10.lbx"));
    EXPECT_EQ(captions[14], QStringLiteral("&B R&&B11.lbx"));
    EXPECT_EQ(captions[15], QStringLiteral("-"));
    EXPECT_EQ(captions[16], QStringLiteral("履歴の消去"));
    EXPECT_EQ(menu.actions().last(), quit);

    QString clicked;
    history.OnMenuClick = [&](const QString& text) { clicked = text; };
    menu.actions()[5]->trigger();
    EXPECT_EQ(clicked, QStringLiteral("R&B2.lbx"));
    EXPECT_EQ(history.items().first(), QStringLiteral("R&B2.lbx"));
    menu.actions().at(16)->trigger();
    EXPECT_TRUE(history.items().isEmpty());
    EXPECT_EQ(menu.actions().size(), 3);
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

TEST_F(FrameTest, EnvIniIoCentresWhenTheStoredRectangleIsOffScreen) {
    TEnvIniIO io(QStringLiteral("frmAlbumData"));
    EXPECT_EQ(io.readInt(QStringLiteral("Columns"), 7), 7);
    io.writeString(QStringLiteral("Sort"), QStringLiteral("Artist"));
    EXPECT_EQ(io.readString(QStringLiteral("Sort"), QString()), QStringLiteral("Artist"));

    QWidget owner;
    owner.setGeometry(100, 100, 600, 400);
    QWidget form(&owner, Qt::Window);
    form.setGeometry(30, 40, 200, 100);
    io.saveBounds(form);
    EXPECT_EQ(io.readInt(QStringLiteral("FormRight"), 0), 230);
    form.setGeometry(0, 0, 200, 100);
    io.restoreBounds(form);
    EXPECT_EQ(form.geometry(), QRect(30, 40, 200, 100));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    io.writeInt(QStringLiteral("FormLeft"), screen.right() - 10);
    io.writeInt(QStringLiteral("FormRight"), screen.right() + 190);
    io.restoreBounds(form);
    EXPECT_EQ(form.geometry().center(), owner.geometry().center());
}

}  // namespace
}  // namespace poremi::test
