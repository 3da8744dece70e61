// libFuzzer target: the BMP/CBM reader and the drawing of what it accepts.

#include "fuzz/support/untrusted_pictures.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    poremi::test::readUntrustedBitmap(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
