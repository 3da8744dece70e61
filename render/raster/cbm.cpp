#include "render/raster/cbm.h"

#include "document/container/zlib_stream.h"

#include <cstring>

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

QByteArray deflateToCbm(QByteArrayView bmpFile)
{
    return CompressBytes(bmpFile.toByteArray(), kCompressBest);
}

}  // namespace poremi
