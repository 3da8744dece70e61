#include "tests/poremi_paper/database_fixture.h"
#include "platform/cfb/compound_file_error.h"
#include "tests/support/file_size_limit.h"

#include <QtCore/QFile>

namespace poremi::test {
namespace {

using PaperMerge = PaperDatabaseTest;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString companyOf(const TPapersV2& db, const QString& paperName) {
    const auto record = db.getExtraInfo(TExInfoBase::kName, paperName);
    const auto* info = dynamic_cast<const TExPaperInfo*>(record.get());
    return info ? info->company() : QString();
}

TEST_F(PaperMerge, ImportedUserPapersGiveWayToSystemPapersAndSystemPapersAreSkipped) {
    const QString database = file(QStringLiteral("db.ppr"));
    const QString backup = file(QStringLiteral("mine.ppb"));
    writeDatabase(database, {{QStringLiteral("A4 CD"), true}, {QStringLiteral("A4 CD$"), true}, {QStringLiteral("mine"), false}});
    writeDatabase(backup, {{QStringLiteral("A4 CD"), false}, {QStringLiteral("other"), true}, {QStringLiteral("mine"), false}});

    const auto db = openPaperDatabase(database, false);
    importUserPapers(*db, backup);
    EXPECT_EQ(names(*db), (QStringList{QStringLiteral("A4 CD"), QStringLiteral("A4 CD$"), QStringLiteral("mine"),
                                       QStringLiteral("A4 CD$$")}));
    EXPECT_TRUE(db->getPaper(0).readOnly());
    EXPECT_FALSE(db->getPaper(3).readOnly());
    // The record follows the paper under its new name.
    EXPECT_EQ(companyOf(*db, QStringLiteral("A4 CD$$")), QStringLiteral("Me"));
    EXPECT_EQ(companyOf(*db, QStringLiteral("A4 CD")), QStringLiteral("Maker"));
    EXPECT_TRUE(db->isModified());
}

TEST_F(PaperMerge, ExportWritesOnlyUserPapersIntoAFreshFile) {
    const QString database = file(QStringLiteral("db.ppr"));
    const QString backup = file(QStringLiteral("mine.ppb"));
    writeDatabase(database, {{QStringLiteral("system"), true}, {QStringLiteral("mine"), false}});
    writeDatabase(backup, {{QStringLiteral("stale"), false}});
    {
        const auto db = openPaperDatabase(database, true);
        exportUserPapers(*db, backup);
    }
    const auto saved = openPaperDatabase(backup, true);
    EXPECT_EQ(names(*saved), QStringList{QStringLiteral("mine")});
    EXPECT_EQ(companyOf(*saved, QStringLiteral("mine")), QStringLiteral("Me"));
}

TEST_F(PaperMerge, ExportFailingHalfWayKeepsTheOldBackup) {
    const QString database = file(QStringLiteral("db.ppr"));
    const QString backup = file(QStringLiteral("mine.ppb"));
    std::vector<std::pair<QString, bool>> papers;
    for (int i = 0; i < 40; ++i) papers.emplace_back(QStringLiteral("mine %1").arg(i), false);
    writeDatabase(database, papers);
    writeDatabase(backup, {{QStringLiteral("kept"), false}});
    const QByteArray before = fileBytes(backup);
    const auto db = openPaperDatabase(database, true);
    const QString probe = file(QStringLiteral("probe.ppb"));
    exportUserPapers(*db, probe);
    const qint64 full = QFileInfo(probe).size();

    // The disk fills up while the papers are merged into the new backup's working copy, or
    // while the backup is written.
    for (qint64 limit = 0; limit < full; limit += full / 16) {
        {
            FileSizeLimit disk{rlim_t(limit)};
            try {
                exportUserPapers(*db, backup);
                ADD_FAILURE() << "export succeeded with room for " << limit << " of " << full << " bytes";
            } catch (const cfb::CompoundFileError& error) {
                EXPECT_EQ(error.code(), cfb::ErrorCode::WriteFault) << "limit " << limit;
            }
        }
        ASSERT_EQ(fileBytes(backup), before) << "limit " << limit;
    }
    exportUserPapers(*db, backup);
    const auto saved = openPaperDatabase(backup, true);
    EXPECT_EQ(names(*saved).size(), 40);
    EXPECT_EQ(QDir(QFileInfo(backup).path()).entryList({QStringLiteral("mine.ppb*")}, QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("mine.ppb")});
}

TEST_F(PaperMerge, UpdateBringsSystemPapersListsAndGlobalInfoButNoUserPapers) {
    const QString database = file(QStringLiteral("db.ppr"));
    const QString update = file(QStringLiteral("Update.ppr"));
    writeDatabase(database, {{QStringLiteral("mine"), false}});
    writeDatabase(update, {{QStringLiteral("new"), true}, {QStringLiteral("theirs"), false}}, 12);
    {
        const auto source = openPaperDatabase(update, false);
        source->setCompanyList({QStringLiteral("Maker")});
        source->setGroupList({QStringLiteral("CD・DVDラベル")});
        source->writeGlobalInfo(QStringLiteral("GenreInfo"), {QStringLiteral("CD・DVDラベル=CD-R・DVDラベル")});
        source->close();
    }
    const auto db = openPaperDatabase(database, false);
    const auto source = openPaperDatabase(update, true);
    ASSERT_FALSE(db->hasGlobalInfo());
    std::vector<std::pair<int, int>> steps;
    MergePapers(*db, *source, false, [&](int number, int count) { steps.emplace_back(number, count); }, true);
    EXPECT_EQ(names(*db), (QStringList{QStringLiteral("mine"), QStringLiteral("new")}));
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
    EXPECT_EQ(db->getUpdateInfo().pprNo(), 12);
    EXPECT_GT(db->getUpdateInfo().lastUpdate(), 0);
    EXPECT_EQ(db->getCompanyList(), QStringList{QStringLiteral("Maker")});
    EXPECT_EQ(db->getGroupList(), QStringList{QStringLiteral("CD・DVDラベル")});
    // GlobalInfo is created where it was missing.
    QStringList genres;
    db->readGlobalInfo(QStringLiteral("GenreInfo"), genres);
    EXPECT_EQ(genres, QStringList{QStringLiteral("CD・DVDラベル=CD-R・DVDラベル")});
}

}  // namespace
}  // namespace poremi::test
