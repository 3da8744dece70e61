#pragma once
// The failure of a compound-file operation: a code that callers test (a missing element is often
// expected) and the message for the user.

#include "base/error.h"

namespace poremi::cfb {

enum class ErrorCode {
    FileNotFound,     // the named element or file does not exist
    AccessDenied,     // wrong access mode, or the element is open and may not be shared
    AlreadyExists,    // an element of that name is already there
    InvalidName,      // empty, too long or holding a forbidden character
    NotCompoundFile,  // the file does not start like a compound file
    Corrupt,          // the file's structures contradict each other or the file size
    ReadFault,        // the file could not be read
    WriteFault,       // the file could not be written
    TooLarge,         // a size or position beyond what the format holds
};

class CompoundFileError : public Exception {
public:
    CompoundFileError(ErrorCode code, QString message) : Exception(std::move(message)), code_(code) {}
    ErrorCode code() const noexcept { return code_; }

private:
    ErrorCode code_;
};

[[noreturn]] void throwError(ErrorCode code, const QString& subject = QString());

}  // namespace poremi::cfb
