#pragma once
// Streams written by hand, as older versions of the program or hostile files have them.

#include "document/stream/value_writer.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <functional>

namespace poremi::test {

// "TPF0", one record of the class with the given properties and no children.
inline QByteArray handWrittenStream(const char* className, const std::function<void(ValueWriter&)>& properties) {
    ValueWriter w;
    w.bytes().writeBytes("TPF0");
    w.writeShortString(className);
    w.writeShortString("");
    properties(w);
    w.writeListEnd();  // end of properties
    w.writeListEnd();  // no children
    return w.data();
}

inline void property(ValueWriter& w, const char* name, qint64 value) {
    w.writeShortString(name);
    w.writeInteger(value);
}

}  // namespace poremi::test
