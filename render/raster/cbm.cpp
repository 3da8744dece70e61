#include "render/raster/cbm.h"

#include "document/container/zlib_stream.h"

#include <algorithm>
#include <cstring>

#include <zlib.h>

namespace poremi {

bool isCbm(QByteArrayView bytes)
{
    return bytes.size() >= cbmSignatureSize
        && std::memcmp(bytes.data(), cbmSignature, cbmSignatureSize) == 0;
}

QByteArray inflateCbm(QByteArrayView bytes)
{
    return DecompressBytes(bytes.toByteArray());
}

QByteArray inflateCbmPrefix(QByteArrayView bytes, qsizetype length)
{
    if (!isCbm(bytes) || bytes.size() < cbmHeaderSize)
        throw EZLibError(QStringLiteral("圧縮されたデータではありません"));
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::uint32_t stated = std::uint32_t(b[13]) | std::uint32_t(b[14]) << 8 | std::uint32_t(b[15]) << 16
        | std::uint32_t(b[16]) << 24;
    QByteArray out(qsizetype(std::min<std::int64_t>(length, stated)), '\0');
    if (out.isEmpty())
        return out;
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        throw EZLibError(QStringLiteral("圧縮されたデータが壊れています"));
    z.next_in = const_cast<Bytef*>(b + cbmHeaderSize);
    z.avail_in = uInt(bytes.size() - cbmHeaderSize);
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    int result = Z_OK;
    while (result == Z_OK && z.avail_out > 0)
        result = inflate(&z, Z_NO_FLUSH);
    const qsizetype produced = out.size() - qsizetype(z.avail_out);
    inflateEnd(&z);
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
        throw EZLibError(QStringLiteral("圧縮されたデータが壊れています"));
    out.truncate(produced);
    return out;
}

QByteArray deflateToCbm(QByteArrayView bmpFile)
{
    return CompressBytes(bmpFile.toByteArray(), kCompressBest);
}

}  // namespace poremi
