#include "tests/poremi_paper/database_fixture.h"

#include "base/error.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace poremi::test {
namespace {

class PaperStartup : public PaperDatabaseTest {
protected:
    PaperDatabaseFiles files() const {
        return {file(QStringLiteral("user/Papers.ppr")), file(QStringLiteral("user/Update.ppr")), file(QStringLiteral("poremi.ppr")),
                QString()};
    }
    static QString messageOf(const std::function<void()>& step) {
        try {
            step();
        } catch (const Exception& error) {
            return error.message();
        }
        return QString();
    }
};

TEST_F(PaperStartup, FirstStartCopiesTheShippedDatabaseAndLeavesItAlone) {
    writeDatabase(files().shipped, {{QStringLiteral("A4 CD"), true}}, 1);
    const QDateTime shipped = QFileInfo(files().shipped).lastModified();
    {
        const auto db = openPaperDatabaseAtStart(files());
        EXPECT_EQ(names(*db), QStringList{QStringLiteral("A4 CD")});
        db->savePaper(*paper(QStringLiteral("mine")));
        db->close();
    }
    EXPECT_EQ(QFileInfo(files().shipped).lastModified(), shipped);
    const auto again = openPaperDatabaseAtStart(files());
    EXPECT_EQ(names(*again), (QStringList{QStringLiteral("A4 CD"), QStringLiteral("mine")}));
}

TEST_F(PaperStartup, NewerShippedReleaseReplacesTheSystemPapersAndKeepsTheUsersOnes) {
    writeDatabase(files().shipped, {{QStringLiteral("old sheet"), true}}, 1);
    {
        const auto db = openPaperDatabaseAtStart(files());
        db->savePaper(*paper(QStringLiteral("mine")));
        db->close();
    }
    QFile::remove(files().shipped);
    writeDatabase(files().shipped, {{QStringLiteral("new sheet"), true}}, 2);
    std::vector<QString> waits;
    PaperDatabaseFeedback feedback;
    feedback.wait = [&](const QString& text) { waits.push_back(text); };
    const auto db = openPaperDatabaseAtStart(files(), feedback);
    EXPECT_EQ(names(*db), (QStringList{QStringLiteral("mine"), QStringLiteral("new sheet")}));
    EXPECT_EQ(db->getUpdateInfo().pprNo(), 2);
    EXPECT_EQ(waits, (std::vector<QString>{kPaperWaitText, QString()}));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("user/Papers.usr"))));
}

TEST_F(PaperStartup, PendingUpdateIsMergedOnceAndThenDeleted) {
    writeDatabase(files().shipped, {{QStringLiteral("sheet"), true}}, 1);
    openPaperDatabaseAtStart(files())->close();
    writeDatabase(files().update, {{QStringLiteral("sheet"), true}, {QStringLiteral("extra"), true}, {QStringLiteral("user"), false}}, 1);
    {
        const auto db = openPaperDatabaseAtStart(files());
        EXPECT_EQ(names(*db), (QStringList{QStringLiteral("sheet"), QStringLiteral("extra")}));
    }
    EXPECT_FALSE(QFileInfo::exists(files().update));
}

TEST_F(PaperStartup, FailedMergeLeavesDatabaseAndUpdateForTheNextStart) {
    writeDatabase(files().shipped, {{QStringLiteral("sheet"), true}}, 1);
    {
        const auto db = openPaperDatabaseAtStart(files());
        db->savePaper(*paper(QStringLiteral("mine")));
        db->close();
    }
    QFile broken(files().update);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(2048, 'u'));
    broken.close();
    const QByteArray before = [&] { QFile f(files().database); f.open(QIODevice::ReadOnly); return f.readAll(); }();

    EXPECT_FALSE(messageOf([&] { openPaperDatabaseAtStart(files()); }).isEmpty());
    QFile database(files().database);
    ASSERT_TRUE(database.open(QIODevice::ReadOnly));
    EXPECT_EQ(database.readAll(), before);
    EXPECT_TRUE(QFileInfo::exists(files().update));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("user/Papers.usr"))));

    // Once a good update is there, the next start succeeds with the user's paper kept.
    QFile::remove(files().update);
    writeDatabase(files().update, {{QStringLiteral("fresh"), true}}, 2);
    const auto db = openPaperDatabaseAtStart(files());
    EXPECT_EQ(names(*db), (QStringList{QStringLiteral("mine"), QStringLiteral("fresh")}));
}

TEST_F(PaperStartup, MissingOrReadOnlyFilesStopTheStartWithTheirMessages) {
    EXPECT_EQ(messageOf([&] { openPaperDatabaseAtStart(files()); }),
              QStringLiteral("アプリケーションに必要なファイル「poremi.ppr」が開けませんでした"));
    writeDatabase(files().shipped, {{QStringLiteral("sheet"), true}}, 1);
    openPaperDatabaseAtStart(files())->close();
    QFile::setPermissions(files().database, QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_EQ(messageOf([&] { openPaperDatabaseAtStart(files()); }),
              QStringLiteral("実行に必要なファイル「Papers.ppr」が読み取り専用になっています"));
}

}  // namespace
}  // namespace poremi::test
