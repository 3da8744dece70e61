#pragma once
// The base of every persisted object. A class names its schema with POREMI_PERSISTENT in its
// body and defines staticClassInfo() with describeClass (document/stream/class_declaration.h).

#include "document/stream/class_info.h"

#include <functional>

namespace poremi {

class ByteReader;
class ByteWriter;
class ValueReader;
class ValueWriter;

// Lets a class add named properties of its own encoding, written after the published ones.
class TFiler {
public:
    virtual ~TFiler() = default;
    // Any values, read and written by the class itself.
    virtual void defineProperty(const QString& name, const std::function<void(ValueReader&)>& read,
                                const std::function<void(ValueWriter&)>& write, bool hasData) = 0;
    // One binary value; read gets exactly the bytes that were written.
    virtual void defineBinaryProperty(const QString& name, const std::function<void(ByteReader&)>& read,
                                      const std::function<void(ByteWriter&)>& write, bool hasData) = 0;
};

class TPersistent {
public:
    TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;
    virtual ~TPersistent() = default;

    static const TClassInfo& staticClassInfo();
    virtual const TClassInfo& classInfo() const { return staticClassInfo(); }
    const QString& className() const { return classInfo().name(); }
    bool inheritsFrom(const TClassInfo& info) const { return classInfo().inheritsFrom(info); }

    // Custom properties; the default defines none.
    virtual void defineProperties(TFiler& filer);

    // Copies the published properties of a source of this class or a class derived from it
    // (sub-objects and collections deeply, custom properties through their encoders).
    // Other sources fail with the invalid-cast error.
    virtual void assign(const TPersistent& source);
};

}  // namespace poremi

#define POREMI_PERSISTENT(Class)                                                         \
public:                                                                                  \
    static const ::poremi::TClassInfo& staticClassInfo();                                \
    const ::poremi::TClassInfo& classInfo() const override { return staticClassInfo(); } \
                                                                                         \
private:
