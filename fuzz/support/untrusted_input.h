#pragma once
// Feeds untrusted bytes to everything that reads component streams: the reader (as a
// resource and as a bare stream, with and without a given root) and the structural decoder.
// Only poremi::Exception may come out. Shared by the fuzz target and the corpus test.

#include "base/error.h"

#include <QtCore/QBuffer>
#include <QtCore/QByteArray>

namespace poremi::test {

void readUntrustedComponentStream(const QByteArray& bytes);

// Runs read(QIODevice&) on the bytes; the errors a reader may raise on bad input are expected.
template <class Read>
void readIgnoringErrors(const QByteArray& bytes, Read read) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        read(buffer);
    } catch (const Exception&) {
    }
}

}  // namespace poremi::test
