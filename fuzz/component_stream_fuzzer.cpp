// libFuzzer target: the component stream reader and the structural decoder on arbitrary bytes.

#include "fuzz/support/untrusted_input.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    poremi::test::readUntrustedComponentStream(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
