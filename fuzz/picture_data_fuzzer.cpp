// libFuzzer target: the picture "Data" reader (class name, saved form, every decoder); what it
// accepts must be written back byte for byte.

#include "fuzz/support/untrusted_pictures.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    poremi::test::readUntrustedPictureData(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
