#include "app/cli/commands.h"
#include "app/module/main_data_module.h"
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

}  // namespace
}  // namespace poremi
