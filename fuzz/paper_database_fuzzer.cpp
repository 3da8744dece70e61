// libFuzzer target: any bytes as the user's working paper database, opened through the start-up
// path (compound file, component streams, rebuilding a damaged database). Nothing may escape.

#include "fuzz/support/untrusted_database.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    poremi::test::openUntrustedPaperDatabase(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
