#pragma once
// Writing and reading component streams, bare ("TPF0" and a record) or wrapped in a component
// resource (0xFF, type 10, the upper-case name, flags 0x1030, the length of the stream).
// Reading consumes exactly the stream and leaves a random-access device just behind it.

#include "document/stream/component.h"
#include "document/stream/stream_error.h"

#include <QtCore/QIODevice>
#include <memory>

namespace poremi {

void WriteComponent(QIODevice& stream, const TComponent& component);
void WriteComponentRes(QIODevice& stream, const QString& resourceName, const TComponent& component);

// Into a given root: its properties and children are read into it.
void ReadComponent(QIODevice& stream, TComponent& root);
void ReadComponentRes(QIODevice& stream, TComponent& root);
// Without a root: an object of the stream's root class.
std::unique_ptr<TComponent> ReadComponent(QIODevice& stream);
std::unique_ptr<TComponent> ReadComponentRes(QIODevice& stream);

// The same on bytes in memory.
QByteArray componentStreamBytes(const TComponent& component);
QByteArray componentResourceBytes(const QString& resourceName, const TComponent& component);
// The offset of the component stream inside a component resource.
qsizetype componentResourceHeaderSize(QByteArrayView resource);

// A root of class T (or derived), else the invalid-cast error.
template <class T>
std::unique_ptr<T> ReadComponentResAs(QIODevice& stream) {
    std::unique_ptr<TComponent> root = ReadComponentRes(stream);
    if (!root->inheritsFrom(T::staticClassInfo())) stream_error::invalidCast();
    return std::unique_ptr<T>(static_cast<T*>(root.release()));
}

}  // namespace poremi
