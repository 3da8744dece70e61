#include "base/native_path.h"
#include "base/text_codec.h"
#include "document/container/container_error.h"
#include "document/container/doc_name_list.h"
#include "document/container/storage_mode.h"
#include "tests/poremi_doccontainer/cfb_error_code.h"
#include "tests/support/test_environment.h"

#include <QtCore/QtEndian>
#include <gtest/gtest.h>

namespace poremi {
namespace {

using test::cfbErrorOf;

void writeListStream(TRootStorage& root, const QString& path, qint32 counter, const QByteArray& lines) {
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(counter, bytes.data());
    TDocStream(root, fmCreate, path).WriteBytes(bytes + lines);
}

QByteArray rawStream(TRootStorage& root, const QString& path) {
    TDocStream stream(root, fmOpenRead | fmShareExclusive, path);
    return stream.ReadRest();
}

TEST(DocNameList, NumbersAreNeverHandedOutTwice) {
    TTemporaryStorage root;
    {
        TDocStreamList list(root, QStringLiteral("Sheets\\NameList0\\NameList"));
        EXPECT_EQ(list.Prefix(), QStringLiteral("NameList"));
        for (int i = 0; i < 3; ++i) list.OpenItem(list.AddItem(), fmCreate)->WriteBytes("label");
        EXPECT_EQ(list.ItemPath(1), QStringLiteral("Sheets\\NameList0\\NameList1"));
        list.DeleteItem(1);
        EXPECT_FALSE(root.StreamExists(QStringLiteral("Sheets\\NameList0\\NameList1")));
        EXPECT_EQ(list.Item(list.AddItem()), QStringLiteral("NameList3"));
        EXPECT_EQ(list.Counter(), 4);
    }
    const QByteArray stored = rawStream(root, QStringLiteral("Sheets\\NameList0\\NameList"));
    EXPECT_EQ(qFromLittleEndian<qint32>(stored.constData()), 4);
    EXPECT_EQ(stored.mid(4), QByteArray("NameList0\r\nNameList2\r\nNameList3\r\n"));
    // Reloaded, the list goes on where it stopped.
    TDocStreamList again(root, QStringLiteral("Sheets\\NameList0\\NameList"));
    EXPECT_EQ(again.Items(), (QStringList{QStringLiteral("NameList0"), QStringLiteral("NameList2"), QStringLiteral("NameList3")}));
    EXPECT_EQ(again.Item(again.AddItem()), QStringLiteral("NameList4"));
}

TEST(DocNameList, ElementsAndEntries) {
    TTemporaryStorage root;
    TDocStreamList previews(root, QStringLiteral("Sheets\\NameList0\\Preview"));
    const int first = previews.AddItem();
    EXPECT_FALSE(previews.ItemExists(first));  // named, not yet written
    previews.OpenItem(first, fmCreate)->WriteBytes("BM");
    EXPECT_TRUE(previews.ItemExists(first));
    EXPECT_FALSE(previews.ItemExists(7));
    previews.DeleteItemElement(first);
    EXPECT_FALSE(previews.ItemExists(first));
    EXPECT_EQ(previews.Count(), 1);

    TDocStorageList sheets(root, QStringLiteral("Sheets\\NameList"));
    const int sheet = sheets.AddItem();
    root.CreateStorage(sheets.ItemPath(sheet));
    EXPECT_TRUE(sheets.ItemExists(sheet));
}

TEST(DocNameList, StoredCounterBelowTheItemsContinuesAfterTheHighest) {
    TTemporaryStorage root;
    writeListStream(root, QStringLiteral("Preview"), 1, "Preview0\r\nPreview5\r\nOther9\r\n");
    TDocStreamList list(root, QStringLiteral("Preview"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(list.AddItem()), QStringLiteral("Preview6"));
}

TEST(DocNameList, ReadOnlyRootNeedsTheListStream) {
    const QString name = fromNativePath(test::freshFolder(QStringLiteral("read-only-list")) + QStringLiteral("/d.lbx"));
    {
        TFileStorage file(name, fmCreate);
        TDocStreamList created(file, QStringLiteral("Sheets\\NameList"));  // writable: created empty
        EXPECT_EQ(created.Count(), 0);
        file.Commit();
    }
    TFileStorage reader(name, fmOpenRead | fmShareExclusive);
    EXPECT_NO_THROW(TDocStreamList(reader, QStringLiteral("Sheets\\NameList")));
    EXPECT_EQ(cfbErrorOf([&] { TDocStreamList(reader, QStringLiteral("Sheets\\Missing")); }), cfb::ErrorCode::FileNotFound);
}

TEST(DocNameList, BrokenListStreamIsAnError) {
    TTemporaryStorage root;
    TDocStream(root, fmCreate, QStringLiteral("NameList")).WriteBytes("ab");
    try {
        TDocStreamList list(root, QStringLiteral("NameList"));
        FAIL();
    } catch (const EContainerError& error) {
        EXPECT_EQ(error.fault(), ContainerFault::StreamEnded);
    }
}

// Items read from a file are names of elements beside the list stream, never paths: a hostile
// list must not reach, overwrite or destroy another element of the container.
TEST(DocNameList, ItemsThatAreNotPlainElementNamesAreRefused) {
    const char* const hostile[] = {
        "..",
        ".",
        "..\\DataInfo",
        "Sheets\\NameList0",
        "a/b",
        "\\DataInfo",
        "Name:1",
        "Name!1",
        "Tab\tName",
        "Bell\x07",
        "Del\x7F",
        "",  // an empty line between entries would name the folder itself
        "A0123456789012345678901234567890",  // 32 units
    };
    for (const char* name : hostile) {
        TTemporaryStorage root;
        writeListStream(root, QStringLiteral("Sheets\\Preview"), 1, QByteArray("Preview0\r\n") + name + "\r\nPreview1\r\n");
        EXPECT_EQ(cfbErrorOf([&] { TDocStreamList(root, QStringLiteral("Sheets\\Preview")); }), cfb::ErrorCode::InvalidName)
            << name;
    }
    // The longest plain name, and names with dots and non-ASCII characters, are fine.
    TTemporaryStorage root;
    writeListStream(root, QStringLiteral("Preview"), 1,
                    "A012345678901234567890123456789\r\n..x\r\n" + cp932::encode(QStringLiteral("プレビュー")) + "\r\n");
    EXPECT_EQ(TDocStreamList(root, QStringLiteral("Preview")).Count(), 3);
}

}  // namespace
}  // namespace poremi
