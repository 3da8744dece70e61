// Files written here must open in another reader (python3-olefile), and files in the other
// sector size (version 4) must open here.

#include "platform/cfb/compound_file_error.h"
#include "platform/cfb/compound_file_format.h"
#include "platform/cfb/storage.h"
#include "tests/support/test_environment.h"
#include "tests/support/test_data.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QtEndian>
#include <gtest/gtest.h>

namespace poremi::cfb {
namespace {


// One line per element, "kind<TAB>path<TAB>size<TAB>sha1" with "/" between names, sorted.
const char* kOlefileListing = R"PY(
import hashlib, sys, olefile
ole = olefile.OleFileIO(sys.argv[1])
lines = []
for path in ole.listdir(streams=True, storages=True):
    kind = ole.get_type(path)
    name = "/".join(path)
    if kind == olefile.STGTY_STREAM:
        data = ole.openstream(path).read()
        lines.append("stream\t%s\t%d\t%s" % (name, len(data), hashlib.sha1(data).hexdigest()))
    else:
        lines.append("storage\t%s\t0\t-" % name)
for line in sorted(lines):
    sys.stdout.buffer.write((line + "\n").encode("utf-8"))
)PY";

QString runOlefile(const QString& path) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(kOlefileListing), path});
    if (!python.waitForFinished(120000)) return QStringLiteral("python did not finish");
    const QByteArray errors = python.readAllStandardError();
    if (python.exitCode() != 0) return QStringLiteral("python failed: ") + QString::fromUtf8(errors);
    return QString::fromUtf8(python.readAllStandardOutput());
}

struct TreeWriter {
    QStringList lines;
    void stream(Storage& storage, const QString& prefix, const QString& name, const QByteArray& bytes) {
        storage.createStream(name, kReadWriteExclusive)->write(bytes);
        expectStream(prefix + name, bytes);
    }
    void expectStream(const QString& path, const QByteArray& bytes) {
        lines << QStringLiteral("stream\t%1\t%2\t%3")
                     .arg(path)
                     .arg(bytes.size())
                     .arg(QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
    }
    std::shared_ptr<Storage> storage(Storage& parent, const QString& prefix, const QString& name) {
        lines << QStringLiteral("storage\t%1%2\t0\t-").arg(prefix, name);
        return parent.createStorage(name, kReadWriteExclusive);
    }
    QString listing() {
        lines.sort();
        return lines.join(u'\n') + u'\n';
    }
};

TEST(CompoundFileInterop, OlefileReadsTreeOfEverySizeClassIncludingDifat) {
    const QString path = test::freshFolder(QStringLiteral("olefile")) + QStringLiteral("/tree.cfb");
    TreeWriter tree;
    {
        auto root = Storage::createFile(path);
        tree.stream(*root, {}, QStringLiteral("Empty"), {});
        tree.stream(*root, {}, QStringLiteral("DataInfo"), test::patternBytes(300, 1));
        auto sheets = tree.storage(*root, {}, QStringLiteral("Sheets"));
        tree.stream(*sheets, QStringLiteral("Sheets/"), QStringLiteral("NameList"), test::patternBytes(4095, 2));
        for (int i = 0; i < 40; ++i) {
            const QString name = QStringLiteral("NameList%1").arg(i);
            auto sheet = tree.storage(*sheets, QStringLiteral("Sheets/"), name);
            const QString prefix = QStringLiteral("Sheets/%1/").arg(name);
            tree.stream(*sheet, prefix, QStringLiteral("Info"), test::patternBytes(64 * i + 1, 10 + i));
            tree.stream(*sheet, prefix, QStringLiteral("Preview0"), test::patternBytes(4096 + 37 * i, 100 + i));
        }
        auto big = tree.storage(*root, {}, QStringLiteral("Große Bilder"));
        tree.stream(*big, QStringLiteral("Große Bilder/"), QStringLiteral("Seven"), test::patternBytes(7 * 1024 * 1024 + 12345, 3));
        tree.stream(*big, QStringLiteral("Große Bilder/"), QStringLiteral("画像"), test::patternBytes(1024 * 1024, 4));
        root->commit();
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(512);
    EXPECT_GT(qFromLittleEndian<quint32>(header.constData() + 0x48), 0u) << "DIFAT sectors in use";
    EXPECT_EQ(file.size() % 512, 0);
    file.close();
    EXPECT_EQ(runOlefile(path), tree.listing());
}

TEST(CompoundFileInterop, OlefileReadsAFileAfterEdits) {
    const QString path = test::freshFolder(QStringLiteral("olefile-edit")) + QStringLiteral("/edit.cfb");
    TreeWriter tree;
    {
        auto root = Storage::createFile(path);
        for (int i = 0; i < 30; ++i) root->createStream(QStringLiteral("Old%1").arg(i), kReadWriteExclusive)->write(test::patternBytes(100 * i, i));
        root->commit();
    }
    {
        auto root = Storage::openFile(path, kReadWriteExclusive);
        for (int i = 0; i < 30; i += 2) root->destroyElement(QStringLiteral("Old%1").arg(i));
        for (int i = 1; i < 30; i += 2) {
            auto stream = root->openStream(QStringLiteral("Old%1").arg(i), kReadWriteExclusive);
            stream->resize(quint64(5000 - 150 * i));
            stream.reset();
            tree.expectStream(QStringLiteral("Old%1").arg(i), root->openStream(QStringLiteral("Old%1").arg(i), kReadExclusive)->readAll());
        }
        tree.stream(*root, {}, QStringLiteral("New"), test::patternBytes(20000, 99));
        root->commit();
    }
    EXPECT_EQ(runOlefile(path), tree.listing());
}

// Growing a stream past the mini-stream limit moves its bytes out of the mini stream, and
// shrinking it moves them back: both read what was written before, from the file being saved.
void growAndShrink(Storage& root, TreeWriter& tree) {
    const QByteArray small = test::patternBytes(100, 1);
    const QByteArray big = small + test::patternBytes(69900, 2);
    auto grown = root.createStream(QStringLiteral("Grown"), kReadWriteExclusive);
    grown->write(small);
    tree.stream(root, {}, QStringLiteral("Neighbour"), test::patternBytes(300, 3));
    grown->write(big.constData() + small.size(), big.size() - small.size());
    grown->seek(0);
    EXPECT_EQ(grown->readAll(), big);
    auto stays = root.createStream(QStringLiteral("StaysBig"), kReadWriteExclusive);
    stays->write(small);
    stays->write(big.constData() + small.size(), big.size() - small.size());
    tree.expectStream(QStringLiteral("StaysBig"), big);
    grown->resize(100);
    grown->seek(0);
    EXPECT_EQ(grown->readAll(), small);
    tree.expectStream(QStringLiteral("Grown"), small);
}

TEST(CompoundFileInterop, NewFileGrowsAStreamPastTheMiniStreamLimitAndBack) {
    const QString path = test::freshFolder(QStringLiteral("olefile-grow")) + QStringLiteral("/grow.cfb");
    TreeWriter tree;
    {
        auto root = Storage::createFile(path);
        growAndShrink(*root, tree);
        root->commit();
    }
    EXPECT_EQ(runOlefile(path), tree.listing());
}

TEST(CompoundFileInterop, FileOpenedForWritingGrowsAStreamPastTheMiniStreamLimitAndBack) {
    const QString path = test::freshFolder(QStringLiteral("olefile-grow-open")) + QStringLiteral("/grow.cfb");
    TreeWriter tree;
    {
        auto root = Storage::createFile(path);
        tree.stream(*root, {}, QStringLiteral("Old"), test::patternBytes(3000, 4));
        root->commit();
    }
    {
        auto root = Storage::openFile(path, kReadWriteExclusive);
        growAndShrink(*root, tree);
        root->commit();
    }
    EXPECT_EQ(runOlefile(path), tree.listing());
}

// A version 4 file (4096-byte sectors) laid out by hand: FAT, directory, a stream in sectors
// and one in the mini stream.
QByteArray version4File() {
    constexpr int kSector = 4096;
    Header header;
    header.majorVersion = 4;
    header.sectorShift = 12;
    header.fatSectorCount = 1;
    header.difat.fill(kFreeSector);
    header.difat[0] = 0;
    header.firstDirSector = 1;
    header.dirSectorCount = 1;
    header.firstMiniFatSector = 5;
    header.miniFatSectorCount = 1;
    QByteArray file = header.serialize();
    QByteArray sectors(6 * kSector, '\0');
    const auto putFat = [&](int index, quint32 value) { qToLittleEndian<quint32>(value, sectors.data() + 4 * index); };
    for (int i = 0; i < kSector / 4; ++i) putFat(i, kFreeSector);
    putFat(0, kFatSector);
    putFat(1, kEndOfChain);
    putFat(2, 3);
    putFat(3, kEndOfChain);
    putFat(4, kEndOfChain);
    putFat(5, kEndOfChain);
    DirEntry root;
    root.name = QStringLiteral("Root Entry");
    root.type = EntryType::Root;
    root.child = 1;
    root.start = 4;
    root.size = 64;
    DirEntry data;
    data.name = QStringLiteral("Data");
    data.type = EntryType::Stream;
    data.right = 2;
    data.start = 2;
    data.size = 5000;
    DirEntry mini;
    mini.name = QStringLiteral("Mini");
    mini.type = EntryType::Stream;
    mini.start = 0;
    mini.size = 10;
    root.serializeTo(sectors.data() + kSector);
    data.serializeTo(sectors.data() + kSector + 128);
    mini.serializeTo(sectors.data() + kSector + 256);
    for (int i = 3; i < kSector / 128; ++i) DirEntry{}.serializeTo(sectors.data() + kSector + 128 * i);
    sectors.replace(2 * kSector, 5000, test::patternBytes(5000, 1));
    sectors.replace(4 * kSector, 10, test::patternBytes(10, 2));
    for (int i = 0; i < kSector / 4; ++i) qToLittleEndian<quint32>(i == 0 ? kEndOfChain : kFreeSector, sectors.data() + 5 * kSector + 4 * i);
    return file + sectors;
}

TEST(CompoundFileInterop, ReadsAndEditsVersion4Files) {
    const QString path = test::freshFolder(QStringLiteral("v4")) + QStringLiteral("/v4.cfb");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(version4File());
    }
    {
        auto root = Storage::openFile(path, kReadWriteExclusive);
        EXPECT_EQ(root->openStream(QStringLiteral("Data"), kReadExclusive)->readAll(), test::patternBytes(5000, 1));
        EXPECT_EQ(root->openStream(QStringLiteral("Mini"), kReadExclusive)->readAll(), test::patternBytes(10, 2));
        root->createStream(QStringLiteral("Added"), kReadWriteExclusive)->write(test::patternBytes(300, 3));
        root->commit();
    }
    auto root = Storage::openFile(path, kReadExclusive);
    EXPECT_EQ(root->openStream(QStringLiteral("Data"), kReadExclusive)->readAll(), test::patternBytes(5000, 1));
    EXPECT_EQ(root->openStream(QStringLiteral("Added"), kReadExclusive)->readAll(), test::patternBytes(300, 3));
    const QString listing = runOlefile(path);
    EXPECT_TRUE(listing.contains(QStringLiteral("stream\tAdded\t300\t"))) << listing.toStdString();
}

}  // namespace
}  // namespace poremi::cfb
