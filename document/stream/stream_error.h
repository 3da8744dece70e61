#pragma once
// Errors of reading and writing component streams, in the words the user sees.

#include "base/error.h"

namespace poremi {

// What went wrong, so that callers can tell the failures apart without reading the message.
enum class StreamFault {
    InvalidFormat,         // no resource header or no "TPF0", or an unknown value type
    ReadError,             // the stream ended early or is broken
    WriteError,            // the stream could not be written
    ClassNotFound,         // a class name that is not registered
    PropertyNotFound,      // a property name the object does not have
    InvalidPropertyValue,  // a value of the wrong type or range, or a non-finite float
    InvalidPropertyPath,   // a path through a property that is not an object
    DuplicateName,         // a component name already used in its owner
};

class EFilerError : public Exception {
public:
    EFilerError(StreamFault fault, QString message) : Exception(std::move(message)), fault_(fault) {}
    StreamFault fault() const noexcept { return fault_; }

private:
    StreamFault fault_;
};

class EReadError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

class EWriteError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

class EClassNotFound : public EFilerError {
public:
    using EFilerError::EFilerError;
};

class EInvalidCast : public Exception {
public:
    using Exception::Exception;
};

namespace stream_error {

[[noreturn]] void invalidFormat();                        // "不正なストリーム フォーマット"
[[noreturn]] void readError();                            // the stream ended early or is broken
[[noreturn]] void writeError();
[[noreturn]] void classNotFound(const QString& className);
[[noreturn]] void propertyNotFound();
[[noreturn]] void invalidPropertyValue();
[[noreturn]] void invalidPropertyValueToWrite();  // the same message, as a write error
[[noreturn]] void invalidPropertyPath();
[[noreturn]] void duplicateName(const QString& name);
[[noreturn]] void invalidCast();

}  // namespace stream_error
}  // namespace poremi
