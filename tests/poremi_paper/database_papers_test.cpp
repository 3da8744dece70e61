#include "tests/poremi_paper/database_fixture.h"

#include "base/error.h"
#include "document/stream/class_registry.h"
#include "document/stream/component.h"
#include "document/stream/component_stream.h"
#include "platform/cfb/compound_file_error.h"
#include "tests/support/file_size_limit.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace poremi::test {
namespace {

using PaperDatabase = PaperDatabaseTest;

TEST_F(PaperDatabase, NumbersNewPapersAfterTheHighestIdAndKeepsTheIdOfAReplacedOne) {
    TPapersV2 db(file(QStringLiteral("a.ppr")), false);
    db.savePaper(*paper(QStringLiteral("one")));
    EXPECT_EQ(ids(db), QStringList{QStringLiteral("$00000001")});
    db.savePaper(*paper(QStringLiteral("two")));
    db.reorderPapers({QStringLiteral("two")});  // "two" moves to $00000003
    db.savePaper(*paper(QStringLiteral("three")));
    EXPECT_EQ(ids(db), (QStringList{QStringLiteral("$00000001"), QStringLiteral("$00000003"), QStringLiteral("$00000004")}));

    auto replaced = paper(QStringLiteral("one"), false, 5);
    db.savePaper(*replaced);
    EXPECT_EQ(db.getPaperCount(), 3);
    EXPECT_EQ(db.indexOfPaper(QStringLiteral("one")), 0);
    EXPECT_EQ(db.getPaper(0).getFaceCount(), 5);
    EXPECT_EQ(db.indexOfPaper(QStringLiteral("ONE")), -1);  // names are exact
}

TEST_F(PaperDatabase, TenthPaperIsNumberedInHexadecimal) {
    TPapersV2 db(file(QStringLiteral("a.ppr")), false);
    for (int i = 1; i <= 11; ++i) db.savePaper(*paper(QString::number(i)));
    EXPECT_EQ(db.paperId(9), QStringLiteral("$0000000A"));
    EXPECT_EQ(db.paperId(10), QStringLiteral("$0000000B"));
}

TEST_F(PaperDatabase, StoresLandscapePapersUprightAndKeepsTheLoadedOneTurned) {
    const QString path = file(QStringLiteral("a.ppr"));
    {
        TPapersV2 db(path, false);
        auto turned = paper(QStringLiteral("turned"));
        turned->setLandscape(true);
        db.savePaper(*turned);
        EXPECT_TRUE(db.getPaper(0).landscape());
        EXPECT_EQ(db.getPaper(0).width(), 2970);
        db.close();
    }
    TPapersV2 reopened(path, true);
    ASSERT_EQ(reopened.getPaperCount(), 1);
    EXPECT_FALSE(reopened.getPaper(0).landscape());
    EXPECT_EQ(reopened.getPaper(0).width(), 2100);
    EXPECT_EQ(reopened.getPaper(0).height(), 2970);
    // The paper travels with its purposes.
    EXPECT_GE(reopened.getPaper(0).purposeList().indexOfId(QStringLiteral("CD")), 0);
}

TEST_F(PaperDatabase, ReorderGivesNewIdsInTheGivenOrderOrChangesNothing) {
    TPapersV2 db(file(QStringLiteral("a.ppr")), false);
    for (const char* name : {"a", "b", "c", "d", "e"}) db.savePaper(*paper(QString::fromLatin1(name)));
    db.deletePaper(db.indexOfPaper(QStringLiteral("d")));
    db.deletePaper(db.indexOfPaper(QStringLiteral("e")));  // highest id in use is still $00000003...
    db.savePaper(*paper(QStringLiteral("e")));             // ...and now $00000004
    db.deletePaper(db.indexOfPaper(QStringLiteral("e")));
    db.savePaper(*paper(QStringLiteral("x")));
    db.reorderPapers({QStringLiteral("x")});
    EXPECT_EQ(db.paperId(3), QStringLiteral("$00000005"));

    db.reorderPapers({QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(names(db), (QStringList{QStringLiteral("x"), QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(ids(db), (QStringList{QStringLiteral("$00000005"), QStringLiteral("$00000006"), QStringLiteral("$00000007"),
                                    QStringLiteral("$00000008")}));

    const QStringList before = ids(db);
    for (const QStringList& bad : {QStringList{QStringLiteral("a"), QStringLiteral("nobody")},
                                   QStringList{QStringLiteral("a"), QStringLiteral("a")}}) {
        try {
            db.reorderPapers(bad);
            ADD_FAILURE() << "reordering should fail";
        } catch (const Exception& error) {
            EXPECT_EQ(error.message(), QStringLiteral("Bad paper name"));
        }
        EXPECT_EQ(ids(db), before);
    }
}

TEST_F(PaperDatabase, ReadOnlyDatabaseIsNeverWrittenBackAndAWritableOneOnlyWhenChanged) {
    const QString path = file(QStringLiteral("a.ppr"));
    writeDatabase(path, {{QStringLiteral("one"), true}});
    const QDateTime written = QFileInfo(path).lastModified();
    const QByteArray bytes = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    {
        TPapersV2 db(path, true);
        db.savePaper(*paper(QStringLiteral("two")));
        db.setCompanyList({QStringLiteral("X")});
        EXPECT_TRUE(db.isModified());
    }
    {
        TPapersV2 untouched(path, false);
        EXPECT_FALSE(untouched.isModified());
    }
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), bytes);
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
    TPapersV2 again(path, true);
    EXPECT_EQ(names(again), QStringList{QStringLiteral("one")});
}

TEST_F(PaperDatabase, NothingIsWrittenWithoutCloseAndAFailedCloseCanBeTriedAgain) {
    const QString path = file(QStringLiteral("a.ppr"));
    writeDatabase(path, {{QStringLiteral("one"), false}});
    const auto bytes = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); };
    const QByteArray before = bytes();
    {
        TPapersV2 dropped(path, false);
        dropped.savePaper(*paper(QStringLiteral("two")));
    }
    EXPECT_EQ(bytes(), before);

    TPapersV2 db(path, false);
    db.savePaper(*paper(QStringLiteral("two")));
    {
        FileSizeLimit fullDisk{0};
        EXPECT_THROW(db.close(), cfb::CompoundFileError);
    }
    EXPECT_EQ(bytes(), before);
    EXPECT_TRUE(db.isModified());
    db.close();
    EXPECT_FALSE(db.isModified());
    EXPECT_EQ(names(TPapersV2(path, true)), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
}

TEST_F(PaperDatabase, ListsAndTablesSurviveAReopen) {
    const QString path = file(QStringLiteral("a.ppr"));
    {
        TPapersV2 db(path, false);
        db.setCompanyList({QStringLiteral("サンワサプライ"), QStringLiteral("Avery")});
        db.setGroupList({QStringLiteral("CDケース表紙")});
        db.writeGlobalInfo(QStringLiteral("GenreInfo"), {QStringLiteral("CDケース表紙=CDケース")});
        TPaperUpdate release;
        release.setPprNo(7);
        db.setUpdateInfo(release);
        db.close();
    }
    TPapersV2 db(path, true);
    EXPECT_EQ(db.getCompanyList(), (QStringList{QStringLiteral("サンワサプライ"), QStringLiteral("Avery")}));
    EXPECT_EQ(db.getGroupList(), QStringList{QStringLiteral("CDケース表紙")});
    EXPECT_EQ(db.getUpdateInfo().pprNo(), 7);
    QStringList genres;
    db.readGlobalInfo(QStringLiteral("GenreInfo"), genres);
    db.readGlobalInfo(QStringLiteral("Missing"), genres);
    EXPECT_EQ(genres, QStringList{QStringLiteral("CDケース表紙=CDケース")});
}

TEST_F(PaperDatabase, ExtraRecordsNeedANameAndAnEmptyOneOnlyDeletes) {
    const auto db = openPaperDatabase(file(QStringLiteral("a.ppr")), false);
    db->savePaper(*paper(QStringLiteral("one")));
    db->setExtraInfo(TExInfoBase::kName, *maker(QString(), QStringLiteral("Nobody")));
    EXPECT_EQ(db->findExtraInfo(TExInfoBase::kName)->count(), 0);

    db->setExtraInfo(TExInfoBase::kName, *maker(QStringLiteral("one"), QStringLiteral("Avery")));
    db->setExtraInfo(TExInfoBase::kName, *maker(QStringLiteral("one"), QStringLiteral("Herma")));
    EXPECT_EQ(db->findExtraInfo(TExInfoBase::kName)->count(), 1);
    auto record = db->getExtraInfo(TExInfoBase::kName, QStringLiteral("one"));
    EXPECT_EQ(dynamic_cast<TExPaperInfo&>(*record).company(), QStringLiteral("Herma"));

    TExPaperInfo empty;
    empty.setPaperName(QStringLiteral("one"));
    db->setExtraInfo(TExInfoBase::kName, empty);
    EXPECT_EQ(db->getExtraInfo(TExInfoBase::kName, QStringLiteral("one")), nullptr);
    EXPECT_EQ(db->findExtraInfo(TExInfoBase::kName)->count(), 0);
    EXPECT_EQ(db->getExtraInfo(QStringLiteral("NoSuchBase"), QStringLiteral("one")), nullptr);

    db->setExtraInfo(TExInfoBase::kName, *maker(QStringLiteral("one"), QStringLiteral("Avery")));
    db->deletePaper(0);  // takes its records along
    EXPECT_EQ(db->getExtraInfo(TExInfoBase::kName, QStringLiteral("one")), nullptr);
}

TEST_F(PaperDatabase, TwoRecordsForOnePaperAreAnUpdateError) {
    const QString path = file(QStringLiteral("a.ppr"));
    {
        const auto db = openPaperDatabase(path, false);
        db->setExtraInfo(TExInfoBase::kName, *maker(QStringLiteral("one"), QStringLiteral("A")));
        db->setExtraInfo(TExInfoBase::kName, *maker(QStringLiteral("two"), QStringLiteral("B")));
        db->markModified();
        db->close();
    }
    {
        // Rename the second record's paper to the first one's, as a damaged file would have it.
        PaperStore store;
        store.loadFrom(path);
        store.writeStream(QStringLiteral("ExtraInfos\\$00000002"), componentStreamBytes(*maker(QStringLiteral("one"), QStringLiteral("B"))));
        store.saveTo(path);
    }
    const auto db = openPaperDatabase(path, true);
    try {
        db->getExtraInfo(TExInfoBase::kName, QStringLiteral("missing"));
        ADD_FAILURE() << "a duplicated record should be refused";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message(), QStringLiteral("用紙情報更新エラー(one)"));
    }
}

TEST_F(PaperDatabase, DesignsAreStoredPerFaceAndFoundByTheNumberInTheirName) {
    RegisterClass<TComponent>();  // stands in for the draw objects
    const QString path = file(QStringLiteral("a.ppr"));
    {
        const auto db = openPaperDatabase(path, false);
        TImagePaperInfo designs;
        designs.setPaperName(QStringLiteral("one"));
        designs.setLabelCount(3);
        TImagePaperInfo::Objects objects;
        objects.push_back(std::make_unique<TComponent>());
        objects.back()->setName(QStringLiteral("Design"));
        designs.setObjects(2, std::move(objects));
        EXPECT_FALSE(designs.isEmpty());
        db->setExtraInfo(TImageInfoBase::kName, designs);
        EXPECT_TRUE(db->getExtraInfo(TImageInfoBase::kName, QStringLiteral("one"))->sameAs(designs));
        db->close();
    }
    {
        // Faces without a stream stay empty; the face comes from the stream's number.
        PaperStore store;
        store.loadFrom(path);
        const QString folder = QStringLiteral("PaperImages\\$00000001\\");
        EXPECT_EQ(store.streamNames(QStringLiteral("PaperImages\\$00000001")),
                  (QStringList{QStringLiteral("$00000001"), QStringLiteral("$00000002"), QStringLiteral("$00000003"),
                               QStringLiteral("ImageInfo")}));
        store.deleteElement(folder + QStringLiteral("$00000001"));
        store.deleteElement(folder + QStringLiteral("$00000002"));
        store.saveTo(path);
    }
    const auto db = openPaperDatabase(path, true);
    auto record = db->getExtraInfo(TImageInfoBase::kName, QStringLiteral("one"));
    auto& designs = dynamic_cast<TImagePaperInfo&>(*record);
    EXPECT_EQ(designs.labelCount(), 3);
    EXPECT_TRUE(designs.separatelyDesign());
    ASSERT_EQ(designs.faceListCount(), 3);
    EXPECT_TRUE(designs.objects(0).empty());
    ASSERT_EQ(designs.objects(2).size(), 1u);
    EXPECT_EQ(designs.objects(2).front()->name(), QStringLiteral("Design"));
}

TEST_F(PaperDatabase, MakersComeFromTheCompanyListAndTheRecords) {
    const auto db = openPaperDatabase(file(QStringLiteral("a.ppr")), false);
    db->setCompanyList({QStringLiteral("Avery")});
    for (const char* name : {"a", "b", "c"}) db->savePaper(*paper(QString::fromLatin1(name)));
    db->setExtraInfo(TExInfoBase::kName, *maker(QStringLiteral("a"), QStringLiteral("Herma")));
    db->setExtraInfo(TExInfoBase::kName, *maker(QStringLiteral("b"), QStringLiteral("Avery")));
    QStringList makers;
    QStringList purposes;
    db->collectMakersAndPurposes(makers, purposes);
    EXPECT_EQ(makers, (QStringList{QStringLiteral("Avery"), QStringLiteral("Herma"), QStringLiteral("未設定")}));
    EXPECT_EQ(purposes, QStringList{QStringLiteral("ディスクラベル")});
}

TEST_F(PaperDatabase, BrokenFileIsAnErrorNotACrash) {
    const QString path = file(QStringLiteral("broken.ppr"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    EXPECT_THROW(TPapersV2(path, true), Exception);
    // A paper stream that is not a paper.
    const QString other = file(QStringLiteral("other.ppr"));
    {
        PaperStore store;
        store.writeStream(QStringLiteral("Papers\\$00000001"), componentStreamBytes(*maker(QStringLiteral("x"), QStringLiteral("y"))));
        store.writeStream(QStringLiteral("Papers\\$00000002"), QByteArray("TPF0\x10garbage", 12));
        store.saveTo(other);
    }
    // Streams that are no papers are passed over, and the rest of the file opens.
    testing::internal::CaptureStderr();
    const TPapersV2 papers(other, true);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(papers.getPaperCount(), 0);
    EXPECT_EQ(papers.unreadablePapers(), (QStringList{QStringLiteral("$00000001"), QStringLiteral("$00000002")}));
}

}  // namespace
}  // namespace poremi::test
