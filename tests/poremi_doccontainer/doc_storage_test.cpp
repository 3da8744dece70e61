#include "base/native_path.h"
#include "document/container/doc_name_list.h"
#include "document/container/doc_storage.h"
#include "document/container/doc_stream.h"
#include "document/container/gmem_stream.h"
#include "document/container/storage_mode.h"
#include "document/container/zlib_stream.h"
#include "platform/cfb/compound_file_error.h"
#include "tests/poremi_doccontainer/cfb_error_code.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_data.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <gtest/gtest.h>

namespace poremi {
namespace {

using test::cfbErrorOf;

void writeStream(TDocStorage& storage, const QString& name, const QByteArray& bytes) {
    TDocStream(storage, fmCreate, name).WriteBytes(bytes);
}

QByteArray readStream(TDocStorage& storage, const QString& name) {
    TDocStream stream(storage, fmOpenRead | fmShareExclusive, name);
    return stream.ReadRest();
}

QByteArray fileBytes(const QString& nativePath) {
    QFile file(nativePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The tree as "path<TAB>size" lines, storages with a trailing "\".
QStringList treeOf(TDocStorage& storage, const QString& prefix = QString()) {
    QStringList lines;
    for (const cfb::ElementInfo& e : storage.Interface().elements()) {
        if (e.type == cfb::ElementType::Storage) {
            lines << prefix + e.name + u'\\';
            TDocStorage sub(storage, false, e.name);
            lines << treeOf(sub, prefix + e.name + u'\\');
        } else {
            lines << QStringLiteral("%1%2\t%3").arg(prefix, e.name).arg(e.size);
        }
    }
    return lines;
}

// The tree a document holds: one sheet with two labels, the second compressed, and previews.
void writeDocumentTree(TRootStorage& root) {
    writeStream(root, QStringLiteral("DataInfo"), test::patternBytes(120, 1));
    TDocStorageList sheets(root, QStringLiteral("Sheets\\NameList"));
    const int sheet = sheets.AddItem();
    TDocStorage folder(root, true, sheets.ItemPath(sheet));
    writeStream(folder, QStringLiteral("Info"), test::patternBytes(80, 2));
    writeStream(folder, QStringLiteral("PaperInfo"), test::patternBytes(900, 3));
    TDocStreamList labels(root, folder.Path() + QStringLiteral("\\NameList"));
    TDocStreamList previews(root, folder.Path() + QStringLiteral("\\Preview"));
    for (int k = 0; k < 2; ++k) {
        const QByteArray objects = test::patternBytes(3000 + k, 10 + k);
        labels.OpenItem(labels.AddItem(), fmCreate)->WriteBytes(k == 1 ? CompressBytes(objects) : objects);
        previews.OpenItem(previews.AddItem(), fmCreate)->WriteBytes("\x89PNG" + test::patternBytes(5000, 20 + k));
    }
}

TEST(DocStorage, DocumentTreeSurvivesSaveAndLoad) {
    const QString target = fromNativePath(test::freshFolder(QStringLiteral("doc-tree")) + QStringLiteral("/label.lbx"));
    {
        TTemporaryStorage temp;
        writeDocumentTree(temp);
        temp.SaveTo(target);
        EXPECT_FALSE(temp.IsChanged());
    }
    TTemporaryStorage loaded;
    loaded.LoadFrom(target);
    EXPECT_FALSE(loaded.IsChanged());
    const QStringList expected = {
        QStringLiteral("Sheets\\"),
        QStringLiteral("Sheets\\NameList\t%1").arg(4 + 11),
        QStringLiteral("Sheets\\NameList0\\"),
        QStringLiteral("Sheets\\NameList0\\Info\t80"),
        QStringLiteral("Sheets\\NameList0\\Preview\t%1").arg(4 + 20),
        QStringLiteral("Sheets\\NameList0\\NameList\t%1").arg(4 + 22),
        QStringLiteral("Sheets\\NameList0\\Preview0\t5004"),
        QStringLiteral("Sheets\\NameList0\\Preview1\t5004"),
        QStringLiteral("Sheets\\NameList0\\NameList0\t3000"),
        QStringLiteral("Sheets\\NameList0\\NameList1\t%1").arg(CompressBytes(test::patternBytes(3001, 11)).size()),
        QStringLiteral("Sheets\\NameList0\\PaperInfo\t900"),
        QStringLiteral("DataInfo\t120"),
    };
    EXPECT_EQ(treeOf(loaded), expected);
    TDocStreamList labels(loaded, QStringLiteral("Sheets\\NameList0\\NameList"));
    TDocStream label(loaded, fmOpenRead | fmShareExclusive, labels.ItemPath(1));
    quint32 length = 0;
    ASSERT_TRUE(IsCompressed(label, length));
    TGMEMStream objects;
    Decompress(label, objects, length);
    EXPECT_EQ(objects.Block(), test::patternBytes(3001, 11));
}

TEST(DocStorage, ElementOperationsByPath) {
    TTemporaryStorage root;
    root.CreateStorage(QStringLiteral("A\\B\\C"));
    EXPECT_TRUE(root.StorageExists(QStringLiteral("A\\B\\C")));
    EXPECT_FALSE(root.StreamExists(QStringLiteral("A\\B\\C")));
    TDocStorage b(root, false, QStringLiteral("A\\B"));
    writeStream(b, QStringLiteral("..\\InA"), test::patternBytes(10, 1));
    writeStream(b, QStringLiteral("C\\InC"), test::patternBytes(5000, 2));
    EXPECT_TRUE(root.StreamExists(QStringLiteral("A\\InA")));
    EXPECT_TRUE(b.StreamExists(QStringLiteral("\\A\\InA")));
    EXPECT_FALSE(root.StreamExists(QStringLiteral("A\\Missing")));
    EXPECT_FALSE(root.StreamExists(QStringLiteral("Missing\\InA")));

    QStringList storages, streams;
    TDocStorage a(root, false, QStringLiteral("A"));
    a.ListStorages(storages);
    a.ListStreams(streams);
    EXPECT_EQ(storages, QStringList{QStringLiteral("B")});
    EXPECT_EQ(streams, QStringList{QStringLiteral("InA")});

    a.MoveElement(QStringLiteral("B\\C\\InC"), QStringLiteral("Moved"));
    EXPECT_EQ(readStream(a, QStringLiteral("Moved")), test::patternBytes(5000, 2));
    EXPECT_FALSE(root.StreamExists(QStringLiteral("A\\B\\C\\InC")));

    TDocStorage copy(root, true, QStringLiteral("Copy"));
    a.CopyTo(copy);
    EXPECT_EQ(readStream(root, QStringLiteral("Copy\\Moved")), test::patternBytes(5000, 2));
    EXPECT_TRUE(root.StorageExists(QStringLiteral("Copy\\B\\C")));

    EXPECT_TRUE(root.DeleteElement(QStringLiteral("Copy\\B")));
    EXPECT_FALSE(root.DeleteElement(QStringLiteral("Copy\\B")));
    EXPECT_FALSE(root.DeleteElement(QStringLiteral("Nowhere\\B")));
    // Missing storages are an error without the create flag.
    try {
        TDocStorage missing(root, false, QStringLiteral("Nowhere"));
        FAIL();
    } catch (const cfb::CompoundFileError& error) {
        EXPECT_EQ(error.code(), cfb::ErrorCode::FileNotFound);
    }
    EXPECT_EQ(cfbErrorOf([&] { TDocStream(root, fmOpenRead, QStringLiteral("A\\Missing")); }), cfb::ErrorCode::FileNotFound);
}

TEST(DocStorage, TwoStreamsOfOneSheetFolderShareTheFolder) {
    TTemporaryStorage root;
    writeStream(root, QStringLiteral("Sheets\\NameList0\\Info"), "info");
    writeStream(root, QStringLiteral("Sheets\\NameList0\\PaperInfo"), "paper");
    TDocStream info(root, fmOpenReadWrite | fmShareExclusive, QStringLiteral("Sheets\\NameList0\\Info"));
    TDocStream paper(root, fmOpenReadWrite | fmShareExclusive, QStringLiteral("Sheets\\NameList0\\PaperInfo"));
    TDocStorage sheet(root, false, QStringLiteral("sheets\\namelist0"));  // names ignore case
    EXPECT_EQ(info.ReadRest(), QByteArray("info"));
    EXPECT_EQ(paper.ReadRest(), QByteArray("paper"));
    EXPECT_EQ(&info.Folder().Interface(), &paper.Folder().Interface());
    EXPECT_EQ(&sheet.Interface(), &info.Folder().Interface());
    // The stream itself stays exclusive.
    EXPECT_EQ(cfbErrorOf([&] { TDocStream(root, fmOpenRead | fmShareExclusive, QStringLiteral("Sheets\\NameList0\\Info")); }),
              cfb::ErrorCode::AccessDenied);
    EXPECT_TRUE(root.StreamExists(QStringLiteral("Sheets\\NameList0\\Info")));
}

TEST(DocStorage, IsChangedSeesStreamContents) {
    TTemporaryStorage root;
    writeStream(root, QStringLiteral("Data"), "abc");
    root.RememberState();
    EXPECT_FALSE(root.IsChanged());
    {
        TDocStream stream(root, fmOpenRead | fmShareExclusive, QStringLiteral("Data"));
        stream.ReadRest();
    }
    EXPECT_FALSE(root.IsChanged());
    {
        TDocStream stream(root, fmOpenReadWrite | fmShareExclusive, QStringLiteral("Data"));
        stream.WriteBytes("x");  // same size, new content
    }
    EXPECT_TRUE(root.IsChanged());
    root.RememberState();
    TDocStream(root, fmOpenReadWrite | fmShareExclusive, QStringLiteral("Data")).SetSize(1);
    EXPECT_TRUE(root.IsChanged());
}

TEST(DocStorage, FileStorageModes) {
    const QString folder = test::freshFolder(QStringLiteral("file-storage"));
    const QString name = fromNativePath(folder + QStringLiteral("/papers.ppr"));
    {
        TFileStorage created(name, fmCreate);
        EXPECT_EQ(created.Mode(), fmOpenReadWrite | fmShareExclusive);
        writeStream(created, QStringLiteral("Papers"), test::patternBytes(7000, 1));
        created.Commit();
    }
    {
        TFileStorage written(name, fmOpenWrite | fmShareExclusive);
        EXPECT_EQ(written.Mode() & 3, fmOpenReadWrite);
        EXPECT_EQ(readStream(written, QStringLiteral("Papers")), test::patternBytes(7000, 1));
        writeStream(written, QStringLiteral("More"), "m");
        written.Commit();
    }
    TFileStorage reader(name, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(readStream(reader, QStringLiteral("More")), QByteArray("m"));
    EXPECT_EQ(cfbErrorOf([&] { writeStream(reader, QStringLiteral("No"), "n"); }), cfb::ErrorCode::AccessDenied);
    EXPECT_EQ(cfbErrorOf([&] { TFileStorage(fromNativePath(folder + QStringLiteral("/missing.ppr")), fmOpenRead); }),
              cfb::ErrorCode::FileNotFound);
}

TEST(DocStorage, WritingAFileStorageLeavesTheFileAsItWasUntilCommit) {
    const QString folder = test::freshFolder(QStringLiteral("file-storage-commit"));
    const QString name = fromNativePath(folder + QStringLiteral("/label.lbx"));
    {
        TFileStorage created(name, fmCreate);
        writeStream(created, QStringLiteral("DataInfo"), test::patternBytes(3000, 1));
        created.Commit();
    }
    const QByteArray before = fileBytes(toNativePath(name));
    ASSERT_FALSE(before.isEmpty());
    for (const int mode : {fmCreate, fmOpenReadWrite | fmShareExclusive, fmOpenWrite | fmShareDenyWrite}) {
        {
            TFileStorage root(name, mode);
            writeStream(root, QStringLiteral("DataInfo"), test::patternBytes(90000, 2));
            EXPECT_EQ(fileBytes(toNativePath(name)), before) << "mode " << mode;
        }
        EXPECT_EQ(fileBytes(toNativePath(name)), before) << "mode " << mode;
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("label.lbx")});
}

TEST(DocStorage, TemporaryFileLivesInTheTemporaryFolderAndGoesWithItsRoot) {
    QString name;
    {
        TTemporaryStorage root;
        name = root.FileName();
        EXPECT_TRUE(QFileInfo(name).fileName().startsWith(QStringLiteral("mtf")));
        EXPECT_EQ(QFileInfo(name).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        writeStream(root, QStringLiteral("S"), "s");
        root.Commit();
        EXPECT_TRUE(QFile::exists(name));
    }
    EXPECT_FALSE(QFile::exists(name));
}

TEST(DocStorage, SaveThatFailsHalfWayLeavesTheOldFileIntact) {
    const QString folder = test::freshFolder(QStringLiteral("failing-save"));
    const QString target = fromNativePath(folder + QStringLiteral("/label.lbx"));
    {
        TTemporaryStorage first;
        writeDocumentTree(first);
        first.SaveTo(target);
    }
    const QByteArray before = fileBytes(toNativePath(target));
    ASSERT_FALSE(before.isEmpty());

    TTemporaryStorage temp;
    writeStream(temp, QStringLiteral("First"), test::patternBytes(200000, 1));
    writeStream(temp, QStringLiteral("Second"), test::patternBytes(200000, 2));
    temp.Commit();
    // The disk loses the second half of the working file: the copy fails while reading "Second".
    ASSERT_TRUE(QFile(temp.FileName()).resize(300000));
    EXPECT_THROW(temp.SaveTo(target), cfb::CompoundFileError);
    EXPECT_EQ(fileBytes(toNativePath(target)), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("label.lbx")});

    // A target that cannot be created fails before anything is written.
    EXPECT_THROW(temp.SaveTo(fromNativePath(folder + QStringLiteral("/no/such/folder.lbx"))), cfb::CompoundFileError);
}

TEST(DocStorage, SaveFailingAtAnyWriteLeavesTheOldFileIntact) {
    const QString folder = test::freshFolder(QStringLiteral("full-disk"));
    const QString target = fromNativePath(folder + QStringLiteral("/label.lbx"));
    {
        TTemporaryStorage first;
        writeDocumentTree(first);
        first.SaveTo(target);
    }
    const QByteArray before = fileBytes(toNativePath(target));
    ASSERT_FALSE(before.isEmpty());

    // Larger than the writes the device gathers, so that data reaches the disk before the
    // commit as well as during it.
    TTemporaryStorage temp;
    for (int i = 0; i < 6; ++i) writeStream(temp, QStringLiteral("Sheet%1").arg(i), test::patternBytes(300000, i));
    for (int i = 0; i < 40; ++i) writeStream(temp, QStringLiteral("Small%1").arg(i), test::patternBytes(50 * i, 100 + i));
    QString saved = fromNativePath(folder + QStringLiteral("/probe.lbx"));
    temp.SaveTo(saved);
    const qint64 size = QFileInfo(toNativePath(saved)).size();
    ASSERT_TRUE(QFile::remove(toNativePath(saved)));

    // The disk fills up at every point of the save in turn: in the data, in the tables written
    // by the commit, at the very last sector.
    std::vector<qint64> limits;
    for (qint64 limit = 0; limit < size; limit += size / 29) limits.push_back(limit);
    for (qint64 back : {4096, 1024, 512, 1}) limits.push_back(size - back);
    for (const qint64 limit : limits) {
        {
            test::FileSizeLimit full{rlim_t(limit)};
            try {
                temp.SaveTo(target);
                ADD_FAILURE() << "a save of " << size << " bytes succeeded with room for " << limit;
            } catch (const cfb::CompoundFileError& error) {
                EXPECT_EQ(error.code(), cfb::ErrorCode::WriteFault) << "limit " << limit;
            }
        }
        ASSERT_EQ(fileBytes(toNativePath(target)), before) << "limit " << limit;
        ASSERT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("label.lbx")}) << "limit " << limit;
    }
    {
        test::FileSizeLimit exact{rlim_t(size)};
        temp.SaveTo(target);
    }
    TTemporaryStorage loaded;
    loaded.LoadFrom(target);
    EXPECT_EQ(readStream(loaded, QStringLiteral("Sheet5")), test::patternBytes(300000, 5));
    EXPECT_EQ(readStream(loaded, QStringLiteral("Small39")), test::patternBytes(50 * 39, 139));
}

TEST(DocStorage, LoadingSomethingElseFailsAndKeepsTheWorkingFile) {
    const QString folder = test::freshFolder(QStringLiteral("bad-load"));
    const QString text = folder + QStringLiteral("/notes.lbx");
    {
        QFile file(text);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("just some text that is long enough to be mistaken for nothing at all");
    }
    TTemporaryStorage temp;
    writeStream(temp, QStringLiteral("Kept"), "k");
    try {
        temp.LoadFrom(fromNativePath(text));
        FAIL();
    } catch (const cfb::CompoundFileError& error) {
        EXPECT_EQ(error.code(), cfb::ErrorCode::NotCompoundFile);
    }
    EXPECT_EQ(readStream(temp, QStringLiteral("Kept")), QByteArray("k"));
}

}  // namespace
}  // namespace poremi
