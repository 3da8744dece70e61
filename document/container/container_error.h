#pragma once
// Failures of the document container's own rules, beside those of the compound file itself
// (cfb::CompoundFileError) and of compressed data (EZLibError).

#include "base/error.h"

namespace poremi {

enum class ContainerFault {
    PathAboveRoot,     // ".." climbs above the root
    StreamEnded,       // a stream holds fewer bytes than must be read
    StreamNotWritten,  // a stream took fewer bytes than were written
    NamesExhausted,    // a name list has handed out every number
    FixedBlock,        // a wrapped clipboard block would have to grow
};

class EContainerError : public Exception {
public:
    EContainerError(ContainerFault fault, QString message) : Exception(std::move(message)), fault_(fault) {}
    ContainerFault fault() const noexcept { return fault_; }

private:
    ContainerFault fault_;
};

}  // namespace poremi
