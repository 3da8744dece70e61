#pragma once
// Reproducible test bytes.

#include <QtCore/QByteArray>

namespace poremi::test {

// size pseudo-random bytes, the same for the same seed.
inline QByteArray patternBytes(qsizetype size, int seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = quint32(seed) * 2654435761u + 1;
    for (qsizetype i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        bytes[i] = char(x >> 16);
    }
    return bytes;
}

}  // namespace poremi::test
