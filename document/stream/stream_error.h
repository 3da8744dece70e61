#pragma once
// Errors of reading and writing component streams, in the words the user sees.

#include "base/error.h"

namespace poremi {

class EFilerError : public Exception {
public:
    using Exception::Exception;
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
[[noreturn]] void invalidPropertyPath();
[[noreturn]] void duplicateName(const QString& name);
[[noreturn]] void invalidCast();

}  // namespace stream_error
}  // namespace poremi
