#include "base/native_path.h"
#include "document/container/container_error.h"
#include "document/container/gmem_stream.h"
#include "document/container/zlib_stream.h"
#include "tests/support/test_environment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

namespace poremi {
namespace {

QByteArray sampleText() {
    QByteArray bytes;
    for (int i = 0; i < 2000; ++i) bytes += "TLOText object " + QByteArray::number(i) + "\r\n";
    return bytes;
}

// A wrapper with a hand-made header around a zlib stream of content.
QByteArray wrapped(quint32 declared, const QByteArray& content) {
    QByteArray header(kCompressSignature, kCompressSignatureSize);
    header.resize(kCompressHeaderSize);
    qToLittleEndian<quint32>(declared, header.data() + kCompressSignatureSize);
    return header + qCompress(content).mid(4);  // qCompress puts a 4-byte length before the zlib stream
}

TEST(ZLibStream, CompressesWithTheHeaderAndInflatesBackAtEveryLevel) {
    const QByteArray text = sampleText();
    for (int level : {kCompressNone, kCompressFastest, kCompressDefault, kCompressBest}) {
        const QByteArray compressed = CompressBytes(text, level);
        EXPECT_TRUE(compressed.startsWith(QByteArray("ZLIBCompress\x1A", 13)));
        EXPECT_EQ(qFromLittleEndian<quint32>(compressed.constData() + 13), quint32(text.size()));
        EXPECT_EQ(quint8(compressed[17]), 0x78) << "zlib header";
        EXPECT_EQ(DecompressBytes(compressed), text) << level;
    }
    EXPECT_LT(CompressBytes(text, kCompressBest).size(), CompressBytes(text, kCompressNone).size());
}

TEST(ZLibStream, CompressTakesTheRestOfTheSourceAndIsCompressedLeavesThePositionAfterTheHeader) {
    TGMEMStream source(QByteArray("skipTHE REST"));
    source.SetPosition(4);
    TGMEMStream dest;
    dest.WriteBytes("prefix");
    Compress(source, dest, kCompressBest);
    dest.SetPosition(6);
    quint32 length = 0;
    ASSERT_TRUE(IsCompressed(dest, length));
    EXPECT_EQ(length, 8u);
    EXPECT_EQ(dest.Position(), 6 + kCompressHeaderSize);
    TGMEMStream out;
    Decompress(dest, out, length);
    EXPECT_EQ(out.Block(), QByteArray("THE REST"));
    EXPECT_EQ(dest.Position(), dest.Size());
}

TEST(ZLibStream, ShortOrPlainStreamsAreNotCompressedAndKeepTheirPosition) {
    for (const QByteArray& bytes : {QByteArray("ZLIBCompress"), QByteArray("TPF0 plain component"), QByteArray()}) {
        TGMEMStream stream(QByteArray("xx") + bytes);
        stream.SetPosition(2);
        quint32 length = 99;
        EXPECT_FALSE(IsCompressed(stream, length)) << bytes.constData();
        EXPECT_EQ(stream.Position(), 2);
        EXPECT_EQ(length, 99u);
    }
}

TEST(ZLibStream, DeclaredLengthIsChecked) {
    const QByteArray text = sampleText();
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"declared shorter", wrapped(quint32(text.size() - 1), text)},
        {"declared longer", wrapped(quint32(text.size() + 1), text)},
        {"beyond the cap", wrapped(0x7FFFFFFF, text)},
        {"beyond what the bytes can hold", wrapped(50u * 1024 * 1024, QByteArray(10, 'a'))},
        {"zlib stream cut off", wrapped(quint32(text.size()), text).left(200)},
        {"not zlib", wrapped(5, "x").left(kCompressHeaderSize) + QByteArray(40, '\x55')},
        {"header without length", QByteArray("ZLIBCompress\x1A\x01", 14)},
    };
    for (const Case& c : cases) EXPECT_THROW(DecompressBytes(c.bytes), EZLibError) << c.what;
    EXPECT_EQ(DecompressBytes(wrapped(quint32(text.size()), text)), text);
}

TEST(ZLibStream, FileForms) {
    const QString folder = test::freshFolder(QStringLiteral("zlib-files"));
    const QString packed = folder + QStringLiteral("/Update.bin");
    const QString plain = folder + QStringLiteral("/Update.ppr");
    {
        QFile file(packed);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(CompressBytes(sampleText()));
    }
    EXPECT_TRUE(IsCompressedFile(fromNativePath(packed)));
    DecompressFile(fromNativePath(packed), fromNativePath(plain));
    EXPECT_FALSE(IsCompressedFile(fromNativePath(plain)));
    QFile file(plain);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), sampleText());
    file.close();
    // A broken source leaves no destination behind.
    const QString broken = folder + QStringLiteral("/broken.bin");
    {
        QFile out(broken);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(CompressBytes(sampleText()).left(100));
    }
    EXPECT_THROW(DecompressFile(fromNativePath(broken), fromNativePath(folder + QStringLiteral("/never.ppr"))), EZLibError);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/never.ppr")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3);
}

TEST(GMEMStream, OwnedBlockGrowsAndIsHandedOver) {
    TGMEMStream stream;
    stream.WriteBytes("label");
    stream.SetPosition(10);
    stream.WriteBytes("!");
    EXPECT_EQ(stream.Size(), 11);
    const QByteArray block = stream.ReleaseBlock();
    EXPECT_EQ(block, QByteArray("label\0\0\0\0\0!", 11));
    EXPECT_EQ(stream.Size(), 0);
}

TEST(GMEMStream, WrappedBlockIsReadInPlaceAndMustNotGrow) {
    const QByteArray received("clipboard data");
    TGMEMStream stream(received);
    EXPECT_EQ(stream.Block().constData(), received.constData());
    char buffer[9];
    EXPECT_EQ(stream.Read(buffer, 9), 9);
    EXPECT_EQ(QByteArray(buffer, 9), QByteArray("clipboard"));
    stream.SetPosition(0);
    stream.WriteBytes("CLIP");  // within the block
    try {
        stream.Seek(0, TSeekOrigin::soEnd);
        stream.WriteBytes("x");
        FAIL();
    } catch (const EContainerError& error) {
        EXPECT_EQ(error.fault(), ContainerFault::FixedBlock);
        EXPECT_EQ(error.message(), QStringLiteral("should not realloc Global Handle"));
    }
    EXPECT_THROW(stream.SetSize(100), EContainerError);
    EXPECT_EQ(stream.Block(), QByteArray("CLIPboard data"));
}

}  // namespace
}  // namespace poremi
