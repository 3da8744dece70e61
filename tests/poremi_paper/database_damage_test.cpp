// Damaged paper databases: one unreadable paper or record is passed over, and a working
// database that does not read is rebuilt with the user's papers instead of stopping the start.

#include "tests/poremi_paper/database_fixture.h"

#include "base/error.h"
#include "document/stream/component_stream.h"
#include "fuzz/support/untrusted_database.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/test_data.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <random>

namespace poremi::test {
namespace {

const QByteArray kGarbage("\x01\x02 not a component stream \xff");

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Replaces one stream of a database file, leaving everything else as it is.
void replaceStream(const QString& path, const QString& stream, const QByteArray& bytes) {
    PaperStore store;
    store.loadFrom(path);
    store.writeStream(stream, bytes);
    store.saveTo(path);
}

QByteArray streamOf(const QString& path, const QString& stream) {
    PaperStore store;
    store.loadFrom(path);
    return store.readStream(stream);
}

QString companyOf(const TPapersV2& db, const QString& paperName) {
    const auto record = db.getExtraInfo(TExInfoBase::kName, paperName);
    const auto* info = dynamic_cast<const TExPaperInfo*>(record.get());
    return info ? info->company() : QString();
}

using PaperDamage = PaperDatabaseTest;

TEST_F(PaperDamage, UnreadablePaperIsSkippedWithOneWarningAndItsStreamKept) {
    const QString path = file(QStringLiteral("db.ppr"));
    writeDatabase(path, {{QStringLiteral("a"), false}, {QStringLiteral("b"), false}, {QStringLiteral("c"), true}});
    replaceStream(path, QStringLiteral("Papers\\$00000003"), kGarbage);

    testing::internal::CaptureStderr();
    const auto db = openPaperDatabase(path, false);
    const QString warnings = QString::fromLocal8Bit(testing::internal::GetCapturedStderr());
    EXPECT_EQ(names(*db), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(db->unreadablePapers(), QStringList{QStringLiteral("$00000003")});
    EXPECT_EQ(warnings.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(warnings.contains(QStringLiteral("Papers\\$00000003"))) << warnings.toStdString();

    // A new paper takes a fresh id; the unreadable stream stays as it was.
    db->savePaper(*paper(QStringLiteral("d")));
    EXPECT_EQ(ids(*db), (QStringList{QStringLiteral("$00000001"), QStringLiteral("$00000002"), QStringLiteral("$00000004")}));
    db->close();
    EXPECT_EQ(streamOf(path, QStringLiteral("Papers\\$00000003")), kGarbage);
}

TEST_F(PaperDamage, UnreadableMakerRecordHidesNoOtherRecordAndKeepsItsStream) {
    const QString path = file(QStringLiteral("db.ppr"));
    writeDatabase(path, {{QStringLiteral("a"), false}, {QStringLiteral("b"), false}, {QStringLiteral("c"), false}});
    replaceStream(path, QStringLiteral("ExtraInfos\\$00000001"), kGarbage);
    replaceStream(path, QStringLiteral("ExtraInfos\\$00000003"), kGarbage);

    const auto db = openPaperDatabase(path, false);
    testing::internal::CaptureStderr();
    EXPECT_EQ(companyOf(*db, QStringLiteral("b")), QStringLiteral("Me"));
    EXPECT_EQ(companyOf(*db, QStringLiteral("c")), QString());
    testing::internal::GetCapturedStderr();
    QStringList makers, purposes;
    db->collectMakersAndPurposes(makers, purposes);
    EXPECT_EQ(makers, (QStringList{TPapersV2::kNoMaker, QStringLiteral("Me")}));

    db->setExtraInfo(TExInfoBase::kName, *maker(QStringLiteral("d"), QStringLiteral("New")));
    EXPECT_EQ(companyOf(*db, QStringLiteral("d")), QStringLiteral("New"));
    db->close();
    EXPECT_EQ(streamOf(path, QStringLiteral("ExtraInfos\\$00000003")), kGarbage);
    EXPECT_EQ(streamOf(path, QStringLiteral("ExtraInfos\\$00000001")), kGarbage);
}

std::unique_ptr<TImagePaperInfo> design(const QString& paperName) {
    auto record = std::make_unique<TImagePaperInfo>();
    record->setPaperName(paperName);
    record->setLabelCount(1);
    TImagePaperInfo::Objects objects;
    objects.push_back(std::make_unique<TPaperUpdate>());
    record->setObjects(0, std::move(objects));
    return record;
}

bool hasDesign(const TPapersV2& db, const QString& paperName) {
    return db.getExtraInfo(TImageInfoBase::kName, paperName) != nullptr;
}

TEST_F(PaperDamage, UnreadableDesignsHideNoOtherDesignAndKeepTheirStorage) {
    const QString path = file(QStringLiteral("db.ppr"));
    writeDatabase(path, {{QStringLiteral("a"), false}, {QStringLiteral("b"), false}, {QStringLiteral("c"), false}});
    {
        const auto db = openPaperDatabase(path, false);
        for (const QString& name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
            db->setExtraInfo(TImageInfoBase::kName, *design(name));
        db->close();
    }
    // The record of a, and the design list of c, no longer read.
    replaceStream(path, QStringLiteral("PaperImages\\$00000001\\ImageInfo"), kGarbage);
    replaceStream(path, QStringLiteral("PaperImages\\$00000003\\$00000001"), kGarbage);

    const auto db = openPaperDatabase(path, false);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(hasDesign(*db, QStringLiteral("b")));
    EXPECT_FALSE(hasDesign(*db, QStringLiteral("a")));
    EXPECT_FALSE(hasDesign(*db, QStringLiteral("c")));
    const QString warnings = QString::fromLocal8Bit(testing::internal::GetCapturedStderr());
    EXPECT_TRUE(warnings.contains(QStringLiteral("PaperImages\\$00000001"))) << warnings.toStdString();
    EXPECT_TRUE(warnings.contains(QStringLiteral("PaperImages\\$00000003"))) << warnings.toStdString();

    db->setExtraInfo(TImageInfoBase::kName, *design(QStringLiteral("d")));
    EXPECT_TRUE(hasDesign(*db, QStringLiteral("d")));
    db->close();
    EXPECT_EQ(streamOf(path, QStringLiteral("PaperImages\\$00000003\\$00000001")), kGarbage);
    EXPECT_EQ(streamOf(path, QStringLiteral("PaperImages\\$00000001\\ImageInfo")), kGarbage);
}

class DamagedStart : public PaperDatabaseTest {
protected:
    PaperDatabaseFiles files() const {
        return {file(QStringLiteral("user/Papers.ppr")), file(QStringLiteral("user/Update.ppr")),
                file(QStringLiteral("poremi.ppr")), file(QStringLiteral("backups"))};
    }
    // A shipped database, and a working copy with the user's own papers besides.
    void prepare(const QStringList& userPapers) {
        writeDatabase(files().shipped, {{QStringLiteral("sheet 1"), true}, {QStringLiteral("sheet 2"), true}}, 3);
        const auto db = openPaperDatabaseAtStart(files());
        for (const QString& name : userPapers) {
            db->savePaper(*paper(name));
            db->setExtraInfo(TExInfoBase::kName, *maker(name, QStringLiteral("Me")));
        }
        db->close();
        QDir().mkpath(files().backups);
    }
    QStringList damagedFiles() const {
        return QDir(file(QStringLiteral("user"))).entryList({QStringLiteral("Papers-damaged-*.ppr")}, QDir::Files);
    }
    QString damagedPath() const { return QDir(file(QStringLiteral("user"))).filePath(damagedFiles().value(0)); }
};

TEST_F(DamagedStart, DatabaseIsSetAsideAndRebuiltWithTheUsersPapers) {
    prepare({QStringLiteral("mine 1"), QStringLiteral("mine 2")});
    replaceStream(files().database, TPapersV2::kUpdateInfoStream, kGarbage);
    const QByteArray damaged = bytesOf(files().database);

    ScriptedUserInterface ui;
    {
        const auto db = openPaperDatabaseAtStart(files());
        EXPECT_EQ(names(*db), (QStringList{QStringLiteral("sheet 1"), QStringLiteral("sheet 2"), QStringLiteral("mine 1"),
                                           QStringLiteral("mine 2")}));
        EXPECT_EQ(companyOf(*db, QStringLiteral("mine 2")), QStringLiteral("Me"));
        EXPECT_EQ(companyOf(*db, QStringLiteral("sheet 1")), QStringLiteral("Maker"));
        EXPECT_EQ(db->getUpdateInfo().pprNo(), 3);
        db->close();
    }
    ASSERT_EQ(damagedFiles().size(), 1);
    EXPECT_EQ(bytesOf(damagedPath()), damaged);
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("user/Papers.usr"))));
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_EQ(ui.texts().first(), QStringLiteral("用紙情報ファイル「Papers.ppr」が壊れていたため、作り直しました。\r\n"
                                                  "壊れたファイルから取り戻したユーザー用紙：2件\r\n"
                                                  "壊れたファイルは「%1」に残してあります。")
                                      .arg(damagedPath()));

    // The rebuilt database is sound: the next start says nothing and sets nothing aside.
    const auto again = openPaperDatabaseAtStart(files());
    EXPECT_EQ(again->getPaperCount(), 4);
    EXPECT_EQ(ui.texts().size(), 1);
    EXPECT_EQ(damagedFiles().size(), 1);
}

TEST_F(DamagedStart, WreckedDatabaseLeavesTheNewestReadableBackupToBringBackThePapers) {
    prepare({QStringLiteral("mine")});
    writeDatabase(QDir(files().backups).filePath(QStringLiteral("old.ppb")), {{QStringLiteral("old"), false}});
    const QString newest = QDir(files().backups).filePath(QStringLiteral("new.ppb"));
    writeDatabase(newest, {{QStringLiteral("mine"), false}});
    const QString broken = QDir(files().backups).filePath(QStringLiteral("broken.ppb"));
    writeBytes(broken, patternBytes(3000, 7));
    const QDateTime now = QDateTime::currentDateTime();
    const auto age = [](const QString& path, const QDateTime& time) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
    };
    age(QDir(files().backups).filePath(QStringLiteral("old.ppb")), now.addDays(-2));
    age(newest, now.addDays(-1));
    age(broken, now);
    // Everything past the header is overwritten: not one stream can be found.
    QByteArray wrecked = bytesOf(files().database);
    wrecked.replace(512, wrecked.size() - 512, patternBytes(wrecked.size() - 512, 3));
    writeBytes(files().database, wrecked);

    ScriptedUserInterface ui;
    const auto db = openPaperDatabaseAtStart(files());
    EXPECT_EQ(names(*db), (QStringList{QStringLiteral("sheet 1"), QStringLiteral("sheet 2"), QStringLiteral("mine")}));
    EXPECT_EQ(companyOf(*db, QStringLiteral("mine")), QStringLiteral("Me"));
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts().first().contains(QStringLiteral("壊れたファイルから取り戻したユーザー用紙：0件")));
    EXPECT_TRUE(ui.texts().first().contains(QStringLiteral("バックアップ「%1」から取り戻したユーザー用紙：1件").arg(newest)))
        << ui.texts().first().toStdString();
    EXPECT_EQ(bytesOf(damagedPath()), wrecked);
}

TEST_F(DamagedStart, TwoMakerRecordsOfOnePaperDoNotStopTheRebuild) {
    prepare({QStringLiteral("mine 1"), QStringLiteral("mine 2")});
    // The record of "mine 1" now names a shipped paper that has one already.
    replaceStream(files().database, QStringLiteral("ExtraInfos\\$00000003"),
                  componentStreamBytes(*maker(QStringLiteral("sheet 1"), QStringLiteral("Other"))));

    ScriptedUserInterface ui;
    testing::internal::CaptureStderr();
    const auto db = openPaperDatabaseAtStart(files());
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(names(*db).contains(QStringLiteral("mine 1")));
    EXPECT_EQ(companyOf(*db, QStringLiteral("sheet 1")), QStringLiteral("Maker"));
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts().first().contains(QStringLiteral("ユーザー用紙：1件"))) << ui.texts().first().toStdString();
    EXPECT_EQ(damagedFiles().size(), 1);
}

TEST_F(DamagedStart, WithoutTheShippedDatabaseTheDamagedFileStaysWhereItIs) {
    prepare({QStringLiteral("mine")});
    replaceStream(files().database, TPapersV2::kUpdateInfoStream, kGarbage);
    const QByteArray damaged = bytesOf(files().database);
    QFile::remove(files().shipped);

    ScriptedUserInterface ui;
    try {
        openPaperDatabaseAtStart(files());
        ADD_FAILURE() << "the start went on without a database to rebuild from";
    } catch (const Exception& error) {
        EXPECT_EQ(error.message(), QStringLiteral("アプリケーションに必要なファイル「poremi.ppr」が開けませんでした"));
    }
    EXPECT_EQ(bytesOf(files().database), damaged);
    EXPECT_TRUE(damagedFiles().isEmpty());
    EXPECT_TRUE(ui.texts().isEmpty());
}

TEST_F(DamagedStart, UnreadableShippedDatabaseStartsNoRebuildThatWouldComeBackEveryTime) {
    prepare({QStringLiteral("mine")});
    replaceStream(files().shipped, QStringLiteral("Papers\\$00000001"), kGarbage);
    replaceStream(files().database, QStringLiteral("Papers\\$00000001"), kGarbage);

    ScriptedUserInterface ui;
    testing::internal::CaptureStderr();
    const auto db = openPaperDatabaseAtStart(files());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(names(*db), (QStringList{QStringLiteral("sheet 2"), QStringLiteral("mine")}));
    EXPECT_TRUE(ui.texts().isEmpty());
    EXPECT_TRUE(damagedFiles().isEmpty());
}

// The damage a user meets: eight random bytes of the working database changed past its header.
TEST_F(DamagedStart, EightRandomBytesChangedNeverStopTheStart) {
    const QStringList mine{QStringLiteral("mine 1"), QStringLiteral("mine 2"), QStringLiteral("mine 3"),
                           QStringLiteral("mine 4")};
    prepare(mine);
    {
        const auto db = openPaperDatabase(files().database, true);
        exportUserPapers(*db, QDir(files().backups).filePath(QStringLiteral("mine.ppb")));
    }
    const QByteArray sound = bytesOf(files().database);
    ScriptedUserInterface ui;
    int rebuilt = 0;
    for (int seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        QByteArray damaged = sound;
        for (int i = 0; i < 8; ++i) {
            const auto at = std::uniform_int_distribution<qsizetype>(512, sound.size() - 1)(random);
            damaged[at] = char(damaged[at] ^ std::uniform_int_distribution<int>(1, 255)(random));
        }
        for (const QString& name : damagedFiles()) QFile::remove(QDir(file(QStringLiteral("user"))).filePath(name));
        writeBytes(files().database, damaged);
        const auto told = ui.texts().size();

        testing::internal::CaptureStderr();
        std::unique_ptr<TPapersV2> db;
        try {
            db = openPaperDatabaseAtStart(files());
            QStringList makers, purposes;
            db->collectMakersAndPurposes(makers, purposes);
        } catch (const Exception& error) {
            ADD_FAILURE() << error.message().toStdString();
        }
        testing::internal::GetCapturedStderr();
        if (!db) continue;
        if (ui.texts().size() > told) {
            ++rebuilt;
            EXPECT_EQ(ui.texts().size(), told + 1);
            EXPECT_EQ(bytesOf(damagedPath()), damaged);
            const QStringList present = names(*db);
            for (const QString& name : QStringList{QStringLiteral("sheet 1"), QStringLiteral("sheet 2")} + mine)
                EXPECT_TRUE(present.contains(name)) << name.toStdString();
        }
        db->close();
        db.reset();
        // Whatever the first start made of it opens again without a word.
        testing::internal::CaptureStderr();
        EXPECT_NO_THROW(openPaperDatabaseAtStart(files())->close());
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(ui.texts().size(), told + (ui.texts().size() > told ? 1 : 0));
    }
    RecordProperty("rebuilt", rebuilt);
    EXPECT_GT(rebuilt, 0);
}

}  // namespace
}  // namespace poremi::test
