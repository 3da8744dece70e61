#include "tests/poremi_paper/database_fixture.h"

#include <QtCore/QFileInfo>
#include <QtCore/QProcess>

namespace poremi::test {
namespace {

const QString kShipped = QStringLiteral(POREMI_BINARY_DIR "/app/poremi.ppr");

using ShippedPapers = PaperDatabaseTest;

TEST_F(ShippedPapers, OpensInAnotherCompoundFileReaderWithTheDatabaseTree) {
    ASSERT_TRUE(QFileInfo::exists(kShipped)) << "build the paper_database target first";
    const QString script = QStringLiteral(R"(
import sys, olefile
ole = olefile.OleFileIO(sys.argv[1])
names = ole.listdir(streams=True, storages=True)
for top in ['Papers', 'ExtraInfos', 'PaperImages', 'GlobalInfo']:
    assert [top] in names, top
for stream in ['PurposeList/PurposeList', 'UpdateInfo/UpdateInfo', 'CompanyList/CompanyList', 'GroupList/GroupList', 'GlobalInfo/GenreInfo']:
    assert ole.exists(stream), stream
papers = [n for n in names if n[0] == 'Papers' and len(n) == 2]
assert all(len(n[1]) == 9 and n[1][0] == '$' and int(n[1][1:], 16) > 0 for n in papers)
assert all(ole.openstream(n).read(4) == b'TPF0' for n in papers)
companies = ole.openstream('CompanyList/CompanyList').read().decode('cp932').split('\r\n')
assert 'サンワサプライ' in companies
print(len(papers))
)");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, kShipped});
    ASSERT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    EXPECT_GE(python.readAllStandardOutput().trimmed().toInt(), 80);
}

TEST_F(ShippedPapers, EverySheetFitsHasAMakerAndAGenre) {
    ASSERT_TRUE(QFileInfo::exists(kShipped));
    const auto db = openPaperDatabase(kShipped, true);
    ASSERT_GE(db->getPaperCount(), 80);
    QStringList genres;
    db->readGlobalInfo(QStringLiteral("GenreInfo"), genres);
    const QStringList known = {QStringLiteral("CD-R・DVDラベル"), QStringLiteral("CDケース"), QStringLiteral("ダイレクトプリント"),
                               QStringLiteral("その他")};
    QStringList purposes;
    for (int i = 0; i < db->getPaperCount(); ++i) {
        const TPaperInfo& paper = db->getPaper(i);
        SCOPED_TRACE(paper.paperName().toStdString());
        EXPECT_TRUE(paper.readOnly());
        EXPECT_EQ(paper.findFaceOutsidePaper(), -1);
        EXPECT_EQ(paper.findOverlappingFace(), -1);
        EXPECT_GT(paper.getFaceCount(), 0);
        QString genre;
        for (const QString& line : genres)
            if (line.section(QLatin1Char('='), 0, 0) == paper.groupName()) genre = line.section(QLatin1Char('='), 1);
        EXPECT_TRUE(known.contains(genre)) << paper.groupName().toStdString();
        const auto record = db->getExtraInfo(TExInfoBase::kName, paper.paperName());
        ASSERT_NE(record, nullptr);
        EXPECT_TRUE(db->getCompanyList().contains(dynamic_cast<const TExPaperInfo&>(*record).company()));
        for (int face = 0; face < paper.getFaceCount(); ++face)
            if (!purposes.contains(paper.getFacePurpose(face))) purposes.append(paper.getFacePurpose(face));
    }
    for (const char* purpose : {"CD", "CDCover", "CDCaseTray", "MOSquare"}) EXPECT_TRUE(purposes.contains(QString::fromLatin1(purpose)));
    EXPECT_GE(db->indexOfPaper(QStringLiteral("A4 CDラベル 2面 (内径41mm)")), 0);
    EXPECT_GE(db->indexOfPaper(QStringLiteral("サンワサプライ LB-CDRJP")), 0);
    EXPECT_GT(db->getUpdateInfo().pprNo(), 0);
}

}  // namespace
}  // namespace poremi::test
