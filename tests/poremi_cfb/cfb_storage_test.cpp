#include "platform/cfb/compound_file_error.h"
#include "platform/cfb/storage.h"
#include "tests/support/test_environment.h"
#include "tests/support/test_data.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <gtest/gtest.h>

namespace poremi::cfb {
namespace {


QByteArray readStream(Storage& storage, const QString& name) { return storage.openStream(name, kReadExclusive)->readAll(); }

void writeStream(Storage& storage, const QString& name, const QByteArray& bytes) {
    storage.createStream(name, kReadWriteExclusive)->write(bytes);
}

ErrorCode codeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const CompoundFileError& error) {
        return error.code();
    }
    ADD_FAILURE() << "no error";
    return ErrorCode::TooLarge;
}

TEST(CompoundFile, TreeOfStoragesAndStreamsSurvivesReopening) {
    const QString path = test::freshFolder(QStringLiteral("tree")) + QStringLiteral("/t.cfb");
    const Guid classId = *Guid::fromString(QStringLiteral("{01234567-89AB-CDEF-0123-456789ABCDEF}"));
    {
        auto root = Storage::createFile(path);
        writeStream(*root, QStringLiteral("Empty"), {});
        writeStream(*root, QStringLiteral("Small"), test::patternBytes(100, 1));
        auto sheets = root->createStorage(QStringLiteral("Sheets"), kReadWriteExclusive);
        sheets->setClassId(classId);
        auto sheet = sheets->createStorage(QStringLiteral("日本語のシート"), kReadWriteExclusive);
        writeStream(*sheet, QStringLiteral("Big"), test::patternBytes(70000, 2));
        writeStream(*sheet, QStringLiteral("Edge"), test::patternBytes(4096, 3));
        writeStream(*sheet, QStringLiteral("JustBelow"), test::patternBytes(4095, 4));
        root->commit();
    }
    auto root = Storage::openFile(path, kReadExclusive);
    const QList<ElementInfo> top = root->elements();
    ASSERT_EQ(top.size(), 3);
    // Directory order: shorter names first.
    EXPECT_EQ(top[0].name, QStringLiteral("Empty"));
    EXPECT_EQ(top[1].name, QStringLiteral("Small"));
    EXPECT_EQ(top[2].name, QStringLiteral("Sheets"));
    EXPECT_EQ(top[2].type, ElementType::Storage);
    EXPECT_TRUE(top[2].created.isValid());
    EXPECT_EQ(readStream(*root, QStringLiteral("small")), test::patternBytes(100, 1));  // names ignore case
    EXPECT_TRUE(readStream(*root, QStringLiteral("Empty")).isEmpty());
    auto sheets = root->openStorage(QStringLiteral("SHEETS"), kReadExclusive);
    EXPECT_EQ(sheets->classId(), classId);
    auto sheet = sheets->openStorage(QStringLiteral("日本語のシート"), kReadExclusive);
    EXPECT_EQ(readStream(*sheet, QStringLiteral("Big")), test::patternBytes(70000, 2));
    EXPECT_EQ(readStream(*sheet, QStringLiteral("Edge")), test::patternBytes(4096, 3));
    EXPECT_EQ(readStream(*sheet, QStringLiteral("JustBelow")), test::patternBytes(4095, 4));
}

TEST(CompoundFile, StreamsReadWriteSeekAndResizeAcrossTheMiniStreamBoundary) {
    auto root = Storage::createMemory();
    auto stream = root->createStream(QStringLiteral("S"), kReadWriteExclusive);
    QByteArray expected = test::patternBytes(3000, 5);
    stream->write(expected);
    // Grows into regular sectors by a write past the end: the gap reads as zeros.
    stream->seek(6000);
    stream->write(test::patternBytes(10, 6));
    expected += QByteArray(3000, '\0') + test::patternBytes(10, 6);
    stream->seek(0);
    EXPECT_EQ(stream->readAll(), expected);
    // Back into the mini stream by shrinking, then out again by resizing.
    stream->resize(1000);
    stream->seek(0);
    EXPECT_EQ(stream->readAll(), expected.left(1000));
    stream->resize(5000);
    stream->seek(0);
    EXPECT_EQ(stream->readAll(), expected.left(1000) + QByteArray(4000, '\0'));
    stream->seek(-10, SeekOrigin::End);
    EXPECT_EQ(stream->position(), 4990u);
    stream->write(QByteArray("abc"));
    stream->seek(-3, SeekOrigin::Current);
    char three[3];
    EXPECT_EQ(stream->read(three, 3), 3);
    EXPECT_EQ(QByteArray(three, 3), QByteArray("abc"));
    EXPECT_EQ(codeOf([&] { stream->seek(-1); }), ErrorCode::AccessDenied);
    stream.reset();
    root->commit();
    auto reread = Storage::openMemory(root->bytes());
    QByteArray final = expected.left(1000) + QByteArray(4000, '\0');
    final.replace(4990, 3, "abc");
    EXPECT_EQ(readStream(*reread, QStringLiteral("S")), final);
}

TEST(CompoundFile, DestroyRenameMoveAndCopy) {
    auto root = Storage::createMemory();
    auto a = root->createStorage(QStringLiteral("A"), kReadWriteExclusive);
    auto b = root->createStorage(QStringLiteral("B"), kReadWriteExclusive);
    writeStream(*a, QStringLiteral("one"), test::patternBytes(10, 1));
    writeStream(*a, QStringLiteral("two"), test::patternBytes(5000, 2));
    auto inner = a->createStorage(QStringLiteral("Inner"), kReadWriteExclusive);
    writeStream(*inner, QStringLiteral("deep"), test::patternBytes(20, 3));
    inner.reset();

    a->renameElement(QStringLiteral("one"), QStringLiteral("uno"));
    EXPECT_FALSE(a->element(QStringLiteral("one")));
    EXPECT_EQ(readStream(*a, QStringLiteral("uno")), test::patternBytes(10, 1));
    EXPECT_EQ(codeOf([&] { a->renameElement(QStringLiteral("uno"), QStringLiteral("TWO")); }), ErrorCode::AlreadyExists);

    a->moveElementTo(QStringLiteral("two"), *b, QStringLiteral("zwei"));
    EXPECT_FALSE(a->element(QStringLiteral("two")));
    EXPECT_EQ(readStream(*b, QStringLiteral("zwei")), test::patternBytes(5000, 2));
    // A storage cannot go below itself.
    auto innerAgain = a->openStorage(QStringLiteral("Inner"), kReadWriteExclusive);
    EXPECT_EQ(codeOf([&] { root->moveElementTo(QStringLiteral("A"), *innerAgain, QStringLiteral("X")); }), ErrorCode::AccessDenied);
    innerAgain.reset();

    auto copy = root->createStorage(QStringLiteral("Copy"), kReadWriteExclusive);
    a->copyTo(*copy);
    EXPECT_EQ(readStream(*copy, QStringLiteral("uno")), test::patternBytes(10, 1));
    EXPECT_EQ(readStream(*copy->openStorage(QStringLiteral("Inner"), kReadExclusive), QStringLiteral("deep")), test::patternBytes(20, 3));
    EXPECT_EQ(codeOf([&] { root->copyTo(*copy); }), ErrorCode::AccessDenied);

    // Across files: the element arrives whole and leaves the source.
    auto other = Storage::createMemory();
    a->moveElementTo(QStringLiteral("Inner"), *other, QStringLiteral("Moved"));
    EXPECT_FALSE(a->element(QStringLiteral("Inner")));
    EXPECT_EQ(readStream(*other->openStorage(QStringLiteral("Moved"), kReadExclusive), QStringLiteral("deep")), test::patternBytes(20, 3));

    a.reset();
    root->destroyElement(QStringLiteral("A"));
    EXPECT_FALSE(root->element(QStringLiteral("A")));
    EXPECT_EQ(codeOf([&] { root->destroyElement(QStringLiteral("A")); }), ErrorCode::FileNotFound);
    root->commit();
    auto reread = Storage::openMemory(root->bytes());
    QStringList names;
    for (const ElementInfo& e : reread->elements()) names << e.name;
    EXPECT_EQ(names, (QStringList{QStringLiteral("B"), QStringLiteral("Copy")}));
}

TEST(CompoundFile, ShareModesAndOpenElements) {
    auto root = Storage::createMemory();
    writeStream(*root, QStringLiteral("S"), "x");
    auto first = root->openStream(QStringLiteral("S"), kReadWriteExclusive);
    EXPECT_EQ(codeOf([&] { root->openStream(QStringLiteral("S"), kReadExclusive); }), ErrorCode::AccessDenied);
    EXPECT_EQ(codeOf([&] { root->destroyElement(QStringLiteral("S")); }), ErrorCode::AccessDenied);
    EXPECT_EQ(codeOf([&] { root->createStream(QStringLiteral("S"), kReadWriteExclusive); }), ErrorCode::AccessDenied);
    EXPECT_EQ(codeOf([&] { root->renameElement(QStringLiteral("S"), QStringLiteral("T")); }), ErrorCode::AccessDenied);
    first.reset();
    const OpenMode readShared{Access::Read, Share::DenyWrite};
    auto reader1 = root->openStream(QStringLiteral("S"), readShared);
    auto reader2 = root->openStream(QStringLiteral("S"), readShared);
    EXPECT_EQ(codeOf([&] { root->openStream(QStringLiteral("S"), {Access::ReadWrite, Share::DenyNone}); }), ErrorCode::AccessDenied);
    EXPECT_EQ(codeOf([&] { reader1->write("y", 1); }), ErrorCode::AccessDenied);

    auto sub = root->createStorage(QStringLiteral("Sub"), kReadWriteExclusive);
    EXPECT_EQ(codeOf([&] { root->openStorage(QStringLiteral("Sub"), kReadWriteExclusive); }), ErrorCode::AccessDenied);
    EXPECT_EQ(codeOf([&] { root->openStream(QStringLiteral("Sub"), kReadExclusive); }), ErrorCode::FileNotFound);
    EXPECT_EQ(codeOf([&] { root->createStream(QString(32, u'n'), kReadWriteExclusive); }), ErrorCode::InvalidName);
    EXPECT_EQ(codeOf([&] { root->createStream(QStringLiteral("a\\b"), kReadWriteExclusive); }), ErrorCode::InvalidName);

    root->commit();
    auto readOnly = Storage::openMemory(root->bytes());
    EXPECT_EQ(codeOf([&] { readOnly->createStream(QStringLiteral("N"), kReadWriteExclusive); }), ErrorCode::AccessDenied);
    EXPECT_EQ(codeOf([&] { readOnly->openStream(QStringLiteral("S"), kReadWriteExclusive); }), ErrorCode::AccessDenied);
}

TEST(CompoundFile, FreedSpaceIsReusedAndTheFileDoesNotGrow) {
    // A file written in place, so that every commit shows its size.
    auto root = Storage::createTemporary(test::freshFolder(QStringLiteral("reuse")) + QStringLiteral("/rXXXXXX"));
    const QString path = root->fileName();
    qint64 sizeAfterFirstRound = 0;
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 50; ++i) writeStream(*root, QStringLiteral("S%1").arg(i), test::patternBytes(i % 2 ? 100 : 9000, round + i));
        root->commit();
        const qint64 size = QFileInfo(path).size();
        if (round == 0) sizeAfterFirstRound = size;
        EXPECT_EQ(size, sizeAfterFirstRound) << "round " << round;
        for (int i = 0; i < 50; ++i) root->destroyElement(QStringLiteral("S%1").arg(i));
    }
    root->commit();
    EXPECT_LE(QFileInfo(path).size(), 4 * 512);
    EXPECT_TRUE(root->elements().isEmpty());
}

TEST(CompoundFile, NamesCompareByLengthThenUnitByUnitInUpperCase) {
    auto root = Storage::createMemory();
    for (const char* name : {"zz", "äc", "B", "C1", "Äb", "a", "b1"}) writeStream(*root, QString::fromUtf8(name), name);
    writeStream(*root, QString(31, u'n'), "longest");
    const auto namesOf = [](const Storage& storage) {
        QStringList names;
        for (const ElementInfo& e : storage.elements()) names << e.name;
        return names;
    };
    const QStringList order{QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("b1"), QStringLiteral("C1"),
                            QStringLiteral("zz"), QStringLiteral("Äb"), QStringLiteral("äc"), QString(31, u'n')};
    const auto check = [&](Storage& storage) {
        EXPECT_EQ(namesOf(storage), order);
        EXPECT_EQ(readStream(storage, QStringLiteral("äB")), QByteArray("Äb"));  // case ignored beyond ASCII
        EXPECT_EQ(readStream(storage, QStringLiteral("A")), QByteArray("a"));
        // A longer name is another name, even when its start is an element's whole name.
        EXPECT_FALSE(storage.element(QString(32, u'n')));
        EXPECT_EQ(codeOf([&] { storage.openStream(QString(32, u'N'), kReadExclusive); }), ErrorCode::FileNotFound);
        EXPECT_EQ(readStream(storage, QString(31, u'N')), QByteArray("longest"));
    };
    check(*root);
    EXPECT_EQ(codeOf([&] { root->renameElement(QStringLiteral("zz"), QStringLiteral("ÄC")); }), ErrorCode::AlreadyExists);
    root->commit();
    check(*Storage::openMemory(root->bytes()));
}

TEST(CompoundFile, ReplacingEveryStreamOfALargeStorageKeepsTheOthers) {
    auto root = Storage::createMemory();
    constexpr int kCount = 300;
    for (int i = 0; i < kCount; ++i) writeStream(*root, QStringLiteral("Record%1").arg(i), test::patternBytes(200, i));
    // Replaced under another spelling of the same name, in an order unlike the directory's.
    for (int i = kCount - 1; i >= 0; i -= 2) writeStream(*root, QStringLiteral("RECORD%1").arg(i), test::patternBytes(300, i + 1000));
    const auto check = [&](Storage& storage) {
        ASSERT_EQ(storage.elements().size(), kCount);
        for (int i = 0; i < kCount; ++i) {
            const bool replaced = (kCount - 1 - i) % 2 == 0;
            const QString name = (replaced ? QStringLiteral("RECORD%1") : QStringLiteral("Record%1")).arg(i);
            ASSERT_TRUE(storage.element(name)) << i;
            EXPECT_EQ(storage.element(name)->name, name);
            EXPECT_EQ(readStream(storage, name), replaced ? test::patternBytes(300, i + 1000) : test::patternBytes(200, i)) << i;
        }
    };
    check(*root);
    root->commit();
    check(*Storage::openMemory(root->bytes()));
}

TEST(CompoundFile, OpenHandlesStaySoundWhileTheDirectoryShrinksAndGrows) {
    auto root = Storage::createMemory();
    for (const char* name : {"A", "B", "C"}) writeStream(*root, QString::fromLatin1(name), name);
    auto a = root->openStream(QStringLiteral("A"), kReadWriteExclusive);
    root->destroyElement(QStringLiteral("B"));
    root->destroyElement(QStringLiteral("C"));
    root->commit();  // drops the free slots at the end of the directory
    writeStream(*root, QStringLiteral("D"), "D");
    auto e = root->createStream(QStringLiteral("E"), kReadWriteExclusive);  // takes the slots back
    EXPECT_EQ(codeOf([&] { root->openStream(QStringLiteral("A"), kReadExclusive); }), ErrorCode::AccessDenied);
    EXPECT_EQ(codeOf([&] { root->openStream(QStringLiteral("E"), kReadExclusive); }), ErrorCode::AccessDenied);
    EXPECT_EQ(codeOf([&] { root->destroyElement(QStringLiteral("A")); }), ErrorCode::AccessDenied);
    EXPECT_EQ(readStream(*root, QStringLiteral("D")), QByteArray("D"));  // the freed slot keeps no handle
    a->seek(0, SeekOrigin::End);
    a->write("+", 1);
    a.reset();
    e.reset();
    EXPECT_EQ(readStream(*root, QStringLiteral("A")), QByteArray("A+"));
    root->destroyElement(QStringLiteral("A"));
    root->destroyElement(QStringLiteral("E"));
    EXPECT_EQ(root->elements().size(), 1);
}

TEST(CompoundFile, ChangeCountRisesWithEveryChange) {
    auto root = Storage::createMemory();
    std::uint64_t last = root->changeCount();
    const auto changes = [&] {
        const bool changed = root->changeCount() > last;
        last = root->changeCount();
        return changed;
    };
    auto stream = root->createStream(QStringLiteral("S"), kReadWriteExclusive);
    EXPECT_TRUE(changes());
    stream->write("abc", 3);
    EXPECT_TRUE(changes());
    stream->resize(1);
    EXPECT_TRUE(changes());
    stream->seek(0);
    char c;
    stream->read(&c, 1);
    EXPECT_FALSE(changes());
    stream.reset();
    root->renameElement(QStringLiteral("S"), QStringLiteral("T"));
    EXPECT_TRUE(changes());
    root->destroyElement(QStringLiteral("T"));
    EXPECT_TRUE(changes());
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(CompoundFile, NewFileReplacesTheTargetOnlyOnCommit) {
    const QString folder = test::freshFolder(QStringLiteral("atomic"));
    const QString path = folder + QStringLiteral("/a.cfb");
    writeFile(path, "old content");
    {
        auto root = Storage::createFile(path);
        writeStream(*root, QStringLiteral("S"), test::patternBytes(10000, 1));
        EXPECT_EQ(fileBytes(path), QByteArray("old content"));
        // Dropped without commit.
    }
    EXPECT_EQ(fileBytes(path), QByteArray("old content"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.cfb")});
    {
        auto root = Storage::createFile(path);
        writeStream(*root, QStringLiteral("S"), test::patternBytes(10000, 1));
        root->commit();
        // The file is in place; a change now would edit it behind the user's back.
        EXPECT_EQ(codeOf([&] { writeStream(*root, QStringLiteral("T"), "t"); }), ErrorCode::AccessDenied);
    }
    EXPECT_EQ(readStream(*Storage::openFile(path, kReadExclusive), QStringLiteral("S")), test::patternBytes(10000, 1));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.cfb")});
}

TEST(CompoundFile, FileOpenedForWritingChangesOnlyOnCommit) {
    const QString folder = test::freshFolder(QStringLiteral("atomic-open"));
    const QString path = folder + QStringLiteral("/a.cfb");
    {
        auto root = Storage::createFile(path);
        writeStream(*root, QStringLiteral("Kept"), test::patternBytes(5000, 1));
        writeStream(*root, QStringLiteral("Gone"), test::patternBytes(300, 2));
        root->commit();
    }
    const QByteArray before = fileBytes(path);
    {
        auto root = Storage::openFile(path, kReadWriteExclusive);
        root->destroyElement(QStringLiteral("Gone"));
        writeStream(*root, QStringLiteral("Kept"), test::patternBytes(90000, 3));
        EXPECT_EQ(fileBytes(path), before);
    }
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.cfb")});
    {
        auto root = Storage::openFile(path, kReadWriteExclusive);
        root->destroyElement(QStringLiteral("Gone"));
        writeStream(*root, QStringLiteral("Kept"), test::patternBytes(90000, 3));
        root->commit();
    }
    auto root = Storage::openFile(path, kReadExclusive);
    EXPECT_EQ(readStream(*root, QStringLiteral("Kept")), test::patternBytes(90000, 3));
    EXPECT_FALSE(root->element(QStringLiteral("Gone")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.cfb")});
    EXPECT_EQ(codeOf([&] { Storage::openFile(folder + QStringLiteral("/missing.cfb"), kReadWriteExclusive); }), ErrorCode::FileNotFound);
}

TEST(CompoundFile, ReplacedFileKeepsItsPermissionsAndItsSymbolicLink) {
    const QString folder = test::freshFolder(QStringLiteral("atomic-link"));
    const QString real = folder + QStringLiteral("/real.cfb");
    const QString link = folder + QStringLiteral("/link.cfb");
    writeFile(real, "old");
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(real, permissions));
    ASSERT_TRUE(QFile::link(real, link));
    {
        auto root = Storage::createFile(link);
        writeStream(*root, QStringLiteral("S"), "s");
        root->commit();
    }
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    // The owner's, group's and others' bits (the "user" bits say what this process may do).
    EXPECT_EQ(QFileInfo(real).permissions() & 0xF0FF, permissions);
    EXPECT_EQ(readStream(*Storage::openFile(real, kReadExclusive), QStringLiteral("S")), QByteArray("s"));
}

TEST(CompoundFile, TemporaryFileDisappearsOnRelease) {
    const QString folder = test::freshFolder(QStringLiteral("temporary"));
    QString name;
    {
        auto root = Storage::createTemporary(folder + QStringLiteral("/mtfXXXXXX"));
        name = root->fileName();
        writeStream(*root, QStringLiteral("S"), test::patternBytes(100, 1));
        root->commit();
        EXPECT_TRUE(QFileInfo(name).fileName().startsWith(QStringLiteral("mtf")));
        EXPECT_TRUE(QFile::exists(name));
    }
    EXPECT_FALSE(QFile::exists(name));
}

}  // namespace
}  // namespace poremi::cfb
