#include "document/container/zlib_stream.h"

#include "base/native_path.h"
#include "document/container/gmem_stream.h"

#include <QtCore/QFile>
#include <QtCore/QSaveFile>
#include <QtCore/QtEndian>
#include <cstring>
#include <zlib.h>

namespace poremi {
namespace {

constexpr qint64 kChunk = 64 * 1024;
// Deflate cannot expand more than about 1032 to 1.
constexpr qint64 kMaxRatio = 1032;

int zlibLevel(int code) {
    switch (code) {
    case kCompressNone: return Z_NO_COMPRESSION;
    case kCompressFastest: return Z_BEST_SPEED;
    case kCompressBest: return Z_BEST_COMPRESSION;
    default: return Z_DEFAULT_COMPRESSION;
    }
}

[[noreturn]] void broken() { throw EZLibError(QStringLiteral("圧縮されたデータが壊れています")); }

// A stream over a file, for the file forms.
class TFileStreamAdapter : public TStream {
public:
    explicit TFileStreamAdapter(QFileDevice& file) : file_(file) {}
    qint64 Read(void* buffer, qint64 count) override { return std::max<qint64>(0, file_.read(static_cast<char*>(buffer), count)); }
    qint64 Write(const void* buffer, qint64 count) override { return file_.write(static_cast<const char*>(buffer), count); }
    qint64 Seek(qint64 offset, TSeekOrigin origin) override {
        const qint64 base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? file_.pos() : file_.size();
        file_.seek(base + offset);
        return file_.pos();
    }
    void SetSize(qint64 size) override { file_.resize(size); }
    qint64 Size() override { return file_.size(); }

private:
    QFileDevice& file_;
};

}  // namespace

bool IsCompressed(TStream& stream, quint32& length) {
    const qint64 start = stream.Position();
    char header[kCompressSignatureSize];
    if (stream.Read(header, kCompressSignatureSize) != kCompressSignatureSize ||
        std::memcmp(header, kCompressSignature, kCompressSignatureSize) != 0) {
        stream.SetPosition(start);
        return false;
    }
    char bytes[4];
    if (stream.Read(bytes, 4) != 4) broken();
    length = qFromLittleEndian<quint32>(bytes);
    return true;
}

void Compress(TStream& source, TStream& dest, int level) {
    const qint64 rest = source.Size() - source.Position();
    if (rest > qint64(std::numeric_limits<quint32>::max())) throw EZLibError(QStringLiteral("圧縮するデータが大きすぎます"));
    char header[kCompressHeaderSize];
    std::memcpy(header, kCompressSignature, kCompressSignatureSize);
    qToLittleEndian<quint32>(quint32(std::max<qint64>(rest, 0)), header + kCompressSignatureSize);
    dest.WriteBuffer(header, kCompressHeaderSize);

    z_stream z{};
    if (deflateInit(&z, zlibLevel(level)) != Z_OK) broken();
    QByteArray in(kChunk, Qt::Uninitialized), out(kChunk, Qt::Uninitialized);
    int flush = Z_NO_FLUSH;
    try {
        do {
            const qint64 got = source.Read(in.data(), kChunk);
            flush = got < kChunk ? Z_FINISH : Z_NO_FLUSH;
            z.next_in = reinterpret_cast<Bytef*>(in.data());
            z.avail_in = uInt(got);
            do {
                z.next_out = reinterpret_cast<Bytef*>(out.data());
                z.avail_out = uInt(kChunk);
                deflate(&z, flush);
                dest.WriteBuffer(out.constData(), kChunk - qint64(z.avail_out));
            } while (z.avail_out == 0);
        } while (flush != Z_FINISH);
    } catch (...) {
        deflateEnd(&z);
        throw;
    }
    deflateEnd(&z);
}

void Decompress(TStream& source, TStream& dest, quint32 length) {
    const qint64 available = source.Size() - source.Position();
    if (qint64(length) > kMaxInflatedSize || qint64(length) > available * kMaxRatio + 64) {
        throw EZLibError(QStringLiteral("圧縮されたデータの長さが不正です"));
    }
    z_stream z{};
    if (inflateInit(&z) != Z_OK) broken();
    QByteArray in(kChunk, Qt::Uninitialized), out(kChunk, Qt::Uninitialized);
    qint64 produced = 0;
    int status = Z_OK;
    try {
        while (status != Z_STREAM_END) {
            if (z.avail_in == 0) {
                const qint64 got = source.Read(in.data(), kChunk);
                if (got <= 0) broken();  // the zlib stream ends early
                z.next_in = reinterpret_cast<Bytef*>(in.data());
                z.avail_in = uInt(got);
            }
            z.next_out = reinterpret_cast<Bytef*>(out.data());
            z.avail_out = uInt(kChunk);
            status = inflate(&z, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END) broken();
            const qint64 n = kChunk - qint64(z.avail_out);
            produced += n;
            if (produced > qint64(length)) broken();
            dest.WriteBuffer(out.constData(), n);
        }
        if (produced != qint64(length)) broken();
    } catch (...) {
        inflateEnd(&z);
        throw;
    }
    // Give back what was read beyond the zlib stream.
    source.Seek(-qint64(z.avail_in), TSeekOrigin::soCurrent);
    inflateEnd(&z);
}

QByteArray CompressBytes(const QByteArray& bytes, int level) {
    TGMEMStream source(bytes), dest;
    Compress(source, dest, level);
    return dest.ReleaseBlock();
}

bool IsCompressedBytes(const QByteArray& bytes) {
    return bytes.size() >= kCompressHeaderSize && std::memcmp(bytes.constData(), kCompressSignature, kCompressSignatureSize) == 0;
}

QByteArray DecompressBytes(const QByteArray& compressed) {
    TGMEMStream source(compressed), dest;
    quint32 length = 0;
    if (!IsCompressed(source, length)) throw EZLibError(QStringLiteral("圧縮されたデータではありません"));
    Decompress(source, dest, length);
    return dest.ReleaseBlock();
}

bool IsCompressedFile(const QString& fileName) {
    QFile file(toNativePath(fileName));
    if (!file.open(QIODevice::ReadOnly)) return false;
    return IsCompressedBytes(file.read(kCompressHeaderSize));
}

void DecompressFile(const QString& sourceName, const QString& destName) {
    QFile sourceFile(toNativePath(sourceName));
    if (!sourceFile.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("「%1」を開けません").arg(sourceName));
    QSaveFile destFile(toNativePath(destName));
    if (!destFile.open(QIODevice::WriteOnly)) throw Exception(QStringLiteral("「%1」を作成できません").arg(destName));
    TFileStreamAdapter source(sourceFile), dest(destFile);
    quint32 length = 0;
    if (!IsCompressed(source, length)) throw EZLibError(QStringLiteral("圧縮されたデータではありません"));
    Decompress(source, dest, length);
    if (!destFile.commit()) throw Exception(QStringLiteral("「%1」を作成できません").arg(destName));
}

}  // namespace poremi
