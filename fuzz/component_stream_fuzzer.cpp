// libFuzzer target: the component stream reader and the structural decoder on arbitrary bytes,
// with the sample classes (every kind of property) and with the real classes of every library.

#include "fuzz/app_support/untrusted_streams.h"
#include "fuzz/support/untrusted_input.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    poremi::test::readUntrustedComponentStream(bytes);
    poremi::test::readUntrustedStreamOfRealClasses(bytes);
    return 0;
}
