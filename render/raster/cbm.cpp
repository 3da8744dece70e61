#include "render/raster/cbm.h"

#include "render/raster/bmp_reader.h"
#include "render/raster/pixel_layout.h"

#include <zlib.h>

#include <cstring>

namespace poremi {

namespace {

// A BMP file of the largest acceptable picture at 32 bits per pixel plus headers and a full
// colour table; nothing larger can be a bitmap we would read.
constexpr std::uint64_t maxInflatedSize = std::uint64_t(maxPicturePixels) * 4 + 14 + 124 + 1024;

std::uint32_t readLittleEndian32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16
        | std::uint32_t(b[3]) << 24;
}

}  // namespace

bool isCbm(QByteArrayView bytes)
{
    return bytes.size() >= cbmSignatureSize
        && std::memcmp(bytes.data(), cbmSignature, cbmSignatureSize) == 0;
}

QByteArray inflateCbm(QByteArrayView bytes)
{
    if (!isCbm(bytes) || bytes.size() < cbmHeaderSize)
        throw InvalidBitmapError();
    const std::uint32_t stated = readLittleEndian32(bytes.data() + cbmSignatureSize);
    if (stated > maxInflatedSize)
        throw InvalidBitmapError();

    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        throw InvalidBitmapError();
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + cbmHeaderSize));
    zs.avail_in = uInt(bytes.size() - cbmHeaderSize);

    // Grow with the output instead of trusting the stated length for the allocation.
    QByteArray out;
    std::uint32_t produced = 0;
    int status = Z_OK;
    while (produced < stated && status == Z_OK) {
        const std::uint32_t chunk = std::min<std::uint32_t>(stated - produced, 1u << 20);
        out.resize(qsizetype(produced + chunk));
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
        zs.avail_out = chunk;
        status = inflate(&zs, Z_NO_FLUSH);
        produced += chunk - zs.avail_out;
        if (status == Z_BUF_ERROR && zs.avail_in == 0)
            break;
        if (status == Z_BUF_ERROR)
            status = Z_OK;
    }
    inflateEnd(&zs);
    if (produced < stated)
        throw InvalidBitmapError();
    out.resize(qsizetype(stated));
    return out;
}

QByteArray deflateToCbm(QByteArrayView bmpFile)
{
    uLongf bound = compressBound(uLong(bmpFile.size()));
    QByteArray out(cbmHeaderSize + qsizetype(bound), Qt::Uninitialized);
    std::memcpy(out.data(), cbmSignature, cbmSignatureSize);
    const auto length = std::uint32_t(bmpFile.size());
    for (int i = 0; i < 4; ++i)
        out[cbmSignatureSize + i] = char((length >> (8 * i)) & 0xFF);
    if (compress2(reinterpret_cast<Bytef*>(out.data() + cbmHeaderSize), &bound,
                  reinterpret_cast<const Bytef*>(bmpFile.data()), uLong(bmpFile.size()), 9) != Z_OK)
        throw InvalidBitmapError();
    out.resize(cbmHeaderSize + qsizetype(bound));
    return out;
}

}  // namespace poremi
