// libFuzzer target: any bytes opened as a compound file and walked completely.

#include "fuzz/support/cfb_walk.h"
#include "platform/cfb/compound_file_error.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        poremi::cfb::walkCompoundFile(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const poremi::cfb::CompoundFileError&) {
    }
    return 0;
}
