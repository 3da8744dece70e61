#pragma once
// The compressed stream form: the 12 characters "ZLIBCompress" and the byte 0x1A, the length of
// the uncompressed data (4 bytes, little-endian), then a zlib stream.

#include "base/error.h"
#include "document/container/stream.h"

namespace poremi {

class EZLibError : public Exception {
public:
    using Exception::Exception;
};

inline constexpr char kCompressSignature[] = "ZLIBCompress\x1A";
inline constexpr int kCompressSignatureSize = 13;
inline constexpr int kCompressHeaderSize = kCompressSignatureSize + 4;
// Level codes: none, fastest, default, best (zlib level 9, used for documents).
inline constexpr int kCompressNone = 0;
inline constexpr int kCompressFastest = 1;
inline constexpr int kCompressDefault = 2;
inline constexpr int kCompressBest = 3;
// The most a declared length may say, whatever the compressed size.
inline constexpr qint64 kMaxInflatedSize = 256LL * 1024 * 1024;

// Reads the signature at the position: when present, reads the length too and leaves the
// position after the header; otherwise restores the position and returns false.
bool IsCompressed(TStream& stream, quint32& length);
// Writes the header for the rest of source (from its position) and deflates it into dest.
void Compress(TStream& source, TStream& dest, int level);
// Inflates from source (positioned after the header) exactly length bytes into dest. A length
// beyond kMaxInflatedSize or beyond what the compressed bytes can hold, and data that inflates
// to any other length, raise EZLibError.
void Decompress(TStream& source, TStream& dest, quint32 length);

// The same on byte blocks: bytes with the header, and back. DecompressBytes raises EZLibError
// when bytes do not start with the header.
QByteArray CompressBytes(const QByteArray& bytes, int level = kCompressBest);
QByteArray DecompressBytes(const QByteArray& compressed);
bool IsCompressedBytes(const QByteArray& bytes);

// File forms ("\"-separated program paths); the destination is replaced atomically.
bool IsCompressedFile(const QString& fileName);
void DecompressFile(const QString& sourceName, const QString& destName);

}  // namespace poremi
