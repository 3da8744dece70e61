#include "tests/support/frame_fixture.h"

#include "core/settings.h"
#include "platform/single_instance.h"

#include <QtCore/QFile>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

namespace poremi::test {
namespace {

using Conditions = ExecuteConditions;

TEST_F(FrameTest, SettingsReadDefaultsUntilWritten) {
    EXPECT_TRUE(setting::read(setting::FixGDILeak));
    EXPECT_EQ(setting::read(setting::Banding), 1);
    EXPECT_EQ(setting::read(setting::ImageLimitSize), 1500);
    EXPECT_EQ(setting::read(setting::DefBrushColor), 12632256);
    EXPECT_EQ(setting::read(setting::DefFontName), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_FALSE(setting::read(setting::EnableSpecialMenu));
    EXPECT_EQ(setting::proxyPortNumber(), 80);

    setting::write(setting::Banding, 2);
    setting::write(setting::FixGDILeak, false);
    setting::write(setting::DefFontName, QStringLiteral("ＭＳ 明朝"));
    setting::write(setting::ProxyPort, QStringLiteral("8080"));
    EXPECT_EQ(setting::read(setting::Banding), 2);
    EXPECT_FALSE(setting::read(setting::FixGDILeak));
    EXPECT_EQ(setting::read(setting::DefFontName), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(setting::proxyPortNumber(), 8080);
    // The values live below the expanded settings key.
    EXPECT_TRUE(SettingsStore::instance().keyExists(QStringLiteral("Software\\Halvik\\Poremi\\1.2\\Settings")));

    // A value of the wrong kind reads as the default.
    frame->writeSettingString(QStringLiteral("Banding"), QStringLiteral("fast"));
    EXPECT_EQ(setting::read(setting::Banding), 1);
}

TEST_F(FrameTest, SettingsWithoutRegistryKeyGiveDefaultsAndWriteNothing) {
    frame->macro().setValue(QStringLiteral("SysRegistryKey"), QString());
    frame->writeSettingInt(QStringLiteral("Banding"), 0);
    EXPECT_EQ(frame->readSettingInt(QStringLiteral("Banding"), 1), 1);
}

TEST_F(FrameTest, FormRectanglesRoundTripAndDefaultToCentred) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect fresh = frame->restoredFormRect(QStringLiteral("frmSample"), 400, 300);
    EXPECT_EQ(fresh.size(), QSize(400, 300));
    EXPECT_EQ(fresh.center().x(), screen.center().x());
    // A default larger than the screen is cut to it.
    EXPECT_EQ(frame->restoredFormRect(QStringLiteral("frmHuge"), 100000, 100000).size(), screen.size());

    frame->saveFormRect(QStringLiteral("frmSample"), QRect(10, 20, 500, 350));
    EXPECT_EQ(frame->readSettingInt(QStringLiteral("frmSampleWidth"), 0), 500);
    EXPECT_EQ(frame->readSettingInt(QStringLiteral("frmSampleLeft"), 0), 10);
    EXPECT_EQ(frame->restoredFormRect(QStringLiteral("frmSample"), 400, 300), QRect(10, 20, 500, 350));
}

TEST_F(FrameTest, MessageBoxesExpandAndUseTheButtons) {
    ui.answer(mrCancel);
    EXPECT_FALSE(frame->confirmBox(QStringLiteral("$(AppName)を終了しますか？")));
    ASSERT_EQ(ui.questions().size(), 1);
    const auto& q = ui.questions().first();
    EXPECT_EQ(q.caption, QStringLiteral("ぽれみ"));
    EXPECT_EQ(q.text, QStringLiteral("ぽれみを終了しますか？"));
    EXPECT_EQ(q.buttons, (QList<MessageButton>{MessageButton::Ok, MessageButton::Cancel}));
    EXPECT_EQ(q.defaultIndex, 0);
    EXPECT_EQ(q.cancelIndex, 1);

    int hooked = 0;
    frame->OnMessageBox = [&](const QString& text, const QList<MessageButton>&, int, int) {
        ++hooked;
        EXPECT_EQ(text, QStringLiteral("ぽれみ"));
        return int(mrOk);
    };
    frame->showMessageBox(QStringLiteral("$(AppName)"));
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(ui.questions().size(), 1);
}

TEST_F(FrameTest, UnhandledErrorsShowTheUnexpectedMessage) {
    frame->handleException(Exception(QStringLiteral("壊れています $(AppName)")));
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_EQ(ui.texts().first(), QStringLiteral("予期しないエラーが発生しました\r\n壊れています $(AppName)"));
    QString seen;
    frame->OnException = [&](const std::exception& e) { seen = QString::fromUtf8(e.what()); };
    frame->handleException(std::runtime_error("boom"));
    EXPECT_EQ(seen, QStringLiteral("boom"));
}

TEST_F(FrameTest, ExclusiveConditionRefusesASecondInstance) {
    frame->setExecuteCondition(ExecuteCondition::ecExclusive);
    SingleInstanceLock other(frame->expandMacros(QStringLiteral("$(SysMutexID)")));
    ASSERT_TRUE(other.tryAcquire());
    EXPECT_FALSE(frame->checkExecuteConditions());
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("ぽれみは、すでに実行中です")});
}

TEST_F(FrameTest, ExclusiveConditionHoldsTheLockWhileRunning) {
    frame->setExecuteCondition(ExecuteCondition::ecExclusive);
    EXPECT_TRUE(frame->checkExecuteConditions());
    SingleInstanceLock second(frame->expandMacros(QStringLiteral("$(SysMutexID)")));
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_TRUE(ui.texts().isEmpty());
}

TEST_F(FrameTest, UnwritableDataFolderEndsStartUp) {
    frame->setExecuteCondition(ExecuteCondition::ecPowerUsers);
    // A file where the data folder should be cannot become a folder.
    QFile blocker(root + QStringLiteral("/blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    frame->macro().setValue(QStringLiteral("AppDataDir"), root + QStringLiteral("\\blocked\\"));
    EXPECT_FALSE(frame->checkExecuteConditions());
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("「ぽれみ」の実行には\r\n標準ユーザー（PowerUsers）以上の権限が必要です")});
}

TEST_F(FrameTest, MissingPrinterIsNotedWithoutAskingAndStartUpGoesOn) {
    frame->setExecuteCondition(ExecuteCondition::ecNeedPrinter | ExecuteCondition::ecNeedHighColor);
    // The offscreen platform has a deep screen; without a probe no printer is known.
    EXPECT_TRUE(frame->checkExecuteConditions());
    EXPECT_TRUE(frame->defaultPrinterMissing());
    frame->setDefaultPrinterProbe([] { return false; });
    EXPECT_TRUE(frame->checkExecuteConditions());
    EXPECT_TRUE(frame->defaultPrinterMissing());
    frame->setDefaultPrinterProbe([] { return true; });
    EXPECT_TRUE(frame->checkExecuteConditions());
    EXPECT_FALSE(frame->defaultPrinterMissing());
    EXPECT_TRUE(ui.texts().isEmpty());
}

TEST_F(FrameTest, LocatesDataBesideTheExecutableAndOnTheMedia) {
    QDir(root).mkpath(QStringLiteral("bin/Data/Template"));
    EXPECT_EQ(frame->locateDataFolder(QStringLiteral("Data\\Template"), QString()),
              frame->expandMacros(QStringLiteral("$(ExeDir)")) + QStringLiteral("Data\\Template"));

    // A media root qualifies by the key file; a sibling "disk2" holds the folder.
    const QString media = root + QStringLiteral("/media");
    QDir(media).mkpath(QStringLiteral("disk1"));
    QDir(media).mkpath(QStringLiteral("disk2/Gallery"));
    for (const char* disk : {"disk1", "disk2"}) {
        QFile key(media + QLatin1Char('/') + QLatin1String(disk) + QStringLiteral("/poremi"));
        ASSERT_TRUE(key.open(QIODevice::WriteOnly));
    }
    QFile photo(media + QStringLiteral("/disk2/Gallery/a.jpg"));
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.close();
    setting::write(setting::CDPath, media + QStringLiteral("/disk1"));
    EXPECT_TRUE(frame->locateDataFolder(QStringLiteral("Gallery\\*.jpg"), QString()).endsWith(QStringLiteral("disk2\\Gallery\\a.jpg")));
}

TEST_F(FrameTest, MissingDataAsksForTheMediaUntilCancelled) {
    ui.answer(mrYes);
    ui.answer(mrCancel);
    EXPECT_TRUE(frame->locateDataFolder(QStringLiteral("Nowhere"), QStringLiteral("@")).isEmpty());
    ASSERT_EQ(ui.questions().size(), 2);
    EXPECT_EQ(ui.questions()[0].text, QStringLiteral("必要なファイルが見つかりません\r\nぽれみのＣＤを正しくセットしてください。"));
    EXPECT_EQ(ui.questions()[0].buttons, (QList<MessageButton>{MessageButton::Yes, MessageButton::Cancel}));
    EXPECT_EQ(ui.questions()[0].cancelIndex, 1);
    // An empty display name names the path; no display name asks nothing.
    ui.answer(mrCancel);
    frame->locateDataFolder(QStringLiteral("Nowhere"), QStringLiteral(""));
    EXPECT_TRUE(ui.texts().last().startsWith(QStringLiteral("Nowhereが見つかりません")));
    frame->locateDataFolder(QStringLiteral("Nowhere"), QString());
    EXPECT_EQ(ui.questions().size(), 3);
}

}  // namespace
}  // namespace poremi::test
