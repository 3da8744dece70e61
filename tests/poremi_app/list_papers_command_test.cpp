#include "app/cli/commands.h"
#include "app/module/main_data_module.h"
#include "paper/database/paper_database_startup.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <gtest/gtest.h>

namespace poremi {
namespace {

// A new user's first runs: the program folder holds the shipped database, the user's folder
// holds nothing yet.
class ListPapers : public ::testing::Test {
protected:
    void SetUp() override {
        programFolder_ = test::freshFolder(QStringLiteral("program"));
        userFolder_ = test::freshFolder(QStringLiteral("user"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(POREMI_BINARY_DIR "/app/poremi.ppr"), programFolder_ + QStringLiteral("/poremi.ppr")))
            << "build the paper_database target first";
        FrameEnvironment env;
        env.executablePath = programFolder_ + QStringLiteral("/poremi");
        env.appDataFolder = userFolder_;
        env.version = QVersionNumber({0, 1});
        module_ = std::make_unique<MainDataModule>(env);
    }

    QStringList run(const QStringList& arguments, int& exitCode) {
        testing::internal::CaptureStdout();
        exitCode = runListPapersCommand(arguments);
        return QString::fromStdString(testing::internal::GetCapturedStdout()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString programFolder_;
    QString userFolder_;
    std::unique_ptr<MainDataModule> module_;
};

TEST_F(ListPapers, ListsEveryPaperAndCreatesTheUsersDatabase) {
    int exitCode = -1;
    const QStringList lines = run({}, exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_GE(lines.size(), 80);
    EXPECT_TRUE(lines.contains(QStringLiteral("A4 CDラベル 2面 (内径41mm)\tCD・DVDラベル\t汎用\t2面\t210x297mm")))
        << lines.value(0).toStdString();
    EXPECT_TRUE(QFileInfo::exists(userFolder_ + QStringLiteral("/ぽれみ/0.1/Papers.ppr")));
}

TEST_F(ListPapers, FiltersByNameMakerAndGroupIgnoringCase) {
    int exitCode = -1;
    EXPECT_EQ(run({QStringLiteral("LB-CDRJP")}, exitCode),
              QStringList{QStringLiteral("サンワサプライ LB-CDRJP\tCD・DVDラベル\tサンワサプライ\t2面\t210x297mm")});
    EXPECT_EQ(exitCode, 0);
    const QStringList herma = run({QStringLiteral("herma")}, exitCode);
    EXPECT_GT(herma.size(), 1);
    for (const QString& line : herma) EXPECT_TRUE(line.contains(QStringLiteral("Herma"))) << line.toStdString();
    const QStringList trays = run({QStringLiteral("プリンタ用CDトレイ")}, exitCode);
    EXPECT_FALSE(trays.isEmpty());
    EXPECT_TRUE(run({QStringLiteral("no such paper")}, exitCode).isEmpty());
    EXPECT_EQ(exitCode, 0);
}

TEST_F(ListPapers, DamagedUserDatabaseIsRebuiltWithTheUsersPaperAndTheUserIsTold) {
    int exitCode = -1;
    run({QStringLiteral("no such paper")}, exitCode);
    const QString database = userFolder_ + QStringLiteral("/ぽれみ/0.1/Papers.ppr");
    {
        const auto papers = openPaperDatabase(database, false);
        std::unique_ptr<TPaperInfo> mine = papers->getPaper(0).clone();
        mine->setPaperName(QStringLiteral("わたしの用紙"));
        mine->setReadOnly(false);
        papers->savePaper(*mine);
        papers->close();
    }
    {
        // The release stamp no longer reads.
        PaperStore store;
        store.loadFrom(database);
        store.writeStream(TPapersV2::kUpdateInfoStream, QByteArray("not a component stream"));
        store.saveTo(database);
    }

    test::ScriptedUserInterface ui;
    testing::internal::CaptureStderr();
    const QStringList lines = run({QStringLiteral("わたし")}, exitCode);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("わたしの用紙\t"))) << lines.first().toStdString();
    ASSERT_EQ(ui.questions().size(), 1);
    EXPECT_EQ(ui.questions().first().caption, QStringLiteral("ぽれみ"));
    EXPECT_TRUE(ui.texts().first().startsWith(
        QStringLiteral("用紙情報ファイル「Papers.ppr」が壊れていたため、作り直しました。\r\n"
                       "壊れたファイルから取り戻したユーザー用紙：1件")))
        << ui.texts().first().toStdString();
    EXPECT_EQ(QDir(userFolder_ + QStringLiteral("/ぽれみ/0.1")).entryList({QStringLiteral("Papers-damaged-*.ppr")}).size(), 1);
    EXPECT_GE(run({}, exitCode).size(), 80);
}

}  // namespace
}  // namespace poremi
