// Broken and hostile files end in one clear error, never in a crash, a hang or a huge allocation.

#include "fuzz/support/cfb_walk.h"
#include "platform/cfb/compound_file_error.h"
#include "platform/cfb/compound_file_format.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace poremi::cfb {
namespace {

// A root with one storage holding a mini stream and a stream of 60 regular sectors.
QByteArray sampleFile() {
    auto root = Storage::createMemory();
    auto sub = root->createStorage(QStringLiteral("Sub"), kReadWriteExclusive);
    sub->createStream(QStringLiteral("Mini"), kReadWriteExclusive)->write(QByteArray(300, 'm'));
    root->createStream(QStringLiteral("Big"), kReadWriteExclusive)->write(QByteArray(60 * 512, 'b'));
    sub.reset();
    root->commit();
    return root->bytes();
}

quint32 get32(const QByteArray& bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }
void put32(QByteArray& bytes, qsizetype at, quint32 value) { qToLittleEndian<quint32>(value, bytes.data() + at); }
qsizetype sectorAt(quint32 sector) { return (qsizetype(sector) + 1) * 512; }

// Offset of the directory entry named name (the first directory sector holds them all here).
qsizetype entryOffset(const QByteArray& file, const QString& name) {
    const qsizetype dir = sectorAt(get32(file, 0x30));
    for (int i = 0; i < 4; ++i) {
        if (DirEntry::parse(file.constData() + dir + 128 * i, 3).name == name) return dir + 128 * i;
    }
    ADD_FAILURE() << "no entry " << name.toStdString();
    return dir;
}

ErrorCode failureOf(const QByteArray& file) {
    try {
        walkCompoundFile(file);
    } catch (const CompoundFileError& error) {
        return error.code();
    }
    ADD_FAILURE() << "walk succeeded";
    return ErrorCode::TooLarge;
}

TEST(CompoundFileHostile, TheSampleWalksCleanly) { EXPECT_EQ(walkCompoundFile(sampleFile()), 300u + 60u * 512u); }

TEST(CompoundFileHostile, EachBrokenStructureGivesOneClearError) {
    struct Case {
        const char* what;
        std::function<void(QByteArray&)> breakIt;
        ErrorCode expected;
    };
    const std::vector<Case> cases = {
        {"empty", [](QByteArray& f) { f.clear(); }, ErrorCode::NotCompoundFile},
        {"not a compound file", [](QByteArray& f) { f = QByteArray(4096, 'x'); }, ErrorCode::NotCompoundFile},
        {"unknown version", [](QByteArray& f) { put32(f, 0x1A, 0x00090005); }, ErrorCode::Corrupt},
        {"FAT sector count beyond the file", [](QByteArray& f) { put32(f, 0x2C, 0xFFFFFFFF); }, ErrorCode::Corrupt},
        {"FAT sector outside the file", [](QByteArray& f) { put32(f, 0x4C, 0x00FFFFFF); }, ErrorCode::Corrupt},
        {"DIFAT chain that loops",
         [](QByteArray& f) {
             put32(f, 0x2C, 110);  // more FAT sectors than the header lists
             put32(f, 0x44, 2);
             put32(f, sectorAt(2) + 508, 2);
         },
         ErrorCode::Corrupt},
        {"stream chain that loops",
         [](QByteArray& f) {
             const quint32 start = get32(f, entryOffset(f, QStringLiteral("Big")) + 0x74);
             put32(f, sectorAt(get32(f, 0x4C)) + 4 * (start + 59), start);
         },
         ErrorCode::Corrupt},
        {"stream chain into free space",
         [](QByteArray& f) {
             const quint32 start = get32(f, entryOffset(f, QStringLiteral("Big")) + 0x74);
             put32(f, sectorAt(get32(f, 0x4C)) + 4 * (start + 10), 0xFFFFFFFF);
         },
         ErrorCode::Corrupt},
        {"stream larger than its chain", [](QByteArray& f) { put32(f, entryOffset(f, QStringLiteral("Big")) + 0x78, 0x7FFFFFFF); }, ErrorCode::Corrupt},
        {"two streams sharing sectors",
         [](QByteArray& f) {
             const qsizetype big = entryOffset(f, QStringLiteral("Big"));
             const qsizetype mini = entryOffset(f, QStringLiteral("Mini"));
             put32(f, mini + 0x74, get32(f, big + 0x74));
             put32(f, mini + 0x78, 5000);
         },
         ErrorCode::Corrupt},
        {"directory tree that loops", [](QByteArray& f) { put32(f, entryOffset(f, QStringLiteral("Big")) + 0x44, 0); }, ErrorCode::Corrupt},
        {"child id out of range", [](QByteArray& f) { put32(f, entryOffset(f, QStringLiteral("Sub")) + 0x4C, 0x7FFFFFF0); }, ErrorCode::Corrupt},
        {"name length beyond the field", [](QByteArray& f) { f[entryOffset(f, QStringLiteral("Sub")) + 0x40] = char(200); }, ErrorCode::Corrupt},
        {"mini stream larger than its chain", [](QByteArray& f) { put32(f, entryOffset(f, QStringLiteral("Root Entry")) + 0x78, 0x10000000); }, ErrorCode::Corrupt},
        {"file cut short", [](QByteArray& f) { f.truncate(f.size() / 2); }, ErrorCode::Corrupt},
    };
    for (const Case& c : cases) {
        QByteArray file = sampleFile();
        c.breakIt(file);
        EXPECT_EQ(failureOf(file), c.expected) << c.what;
    }
}

TEST(CompoundFileHostile, EverySingleByteChangeOfTheStructuresIsSurvived) {
    const QByteArray sample = sampleFile();
    // The header, the directory, the mini FAT and the FAT; the stream data cannot break anything.
    std::vector<qsizetype> offsets;
    for (qsizetype i = 0; i < 512; ++i) offsets.push_back(i);
    for (quint32 sector : {get32(sample, 0x30), get32(sample, 0x3C), get32(sample, 0x4C)}) {
        for (qsizetype i = 0; i < 512; ++i) offsets.push_back(sectorAt(sector) + i);
    }
    int failures = 0;
    for (qsizetype at : offsets) {
        for (char value : {char(0xFF), char(sample[at] ^ 0x01)}) {
            QByteArray file = sample;
            file[at] = value;
            try {
                walkCompoundFile(file);
            } catch (const CompoundFileError&) {
                ++failures;
            }
        }
    }
    EXPECT_GT(failures, 0);
}

TEST(CompoundFileHostile, SeedCorpusOfTheFuzzTargetWalksWithoutCrashing) {
    const QDir corpus(QStringLiteral(POREMI_SOURCE_DIR "/fuzz/corpus/cfb"));
    const QStringList seeds = corpus.entryList(QDir::Files);
    ASSERT_FALSE(seeds.isEmpty());
    for (const QString& seed : seeds) {
        QFile file(corpus.filePath(seed));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        try {
            walkCompoundFile(file.readAll());
        } catch (const CompoundFileError&) {
            // Broken seeds are expected to fail cleanly.
        }
    }
}

}  // namespace
}  // namespace poremi::cfb
