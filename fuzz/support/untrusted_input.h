#pragma once
// Feeds untrusted bytes to everything that reads component streams: the reader (as a
// resource and as a bare stream, with and without a given root) and the structural decoder.
// Only poremi::Exception may come out. Shared by the fuzz target and the corpus test.

#include <QtCore/QByteArray>

namespace poremi::test {

void readUntrustedComponentStream(const QByteArray& bytes);

}  // namespace poremi::test
