#include "document/container/stream.h"

#include "document/container/container_error.h"

#include <algorithm>

namespace poremi {

qint64 TStream::Size() {
    const qint64 position = Position();
    const qint64 size = Seek(0, TSeekOrigin::soEnd);
    SetPosition(position);
    return size;
}

void TStream::ReadBuffer(void* buffer, qint64 count) {
    if (count > 0 && Read(buffer, count) != count)
        throw EContainerError(ContainerFault::StreamEnded, QStringLiteral("ストリームの読み込みエラー"));
}

void TStream::WriteBuffer(const void* buffer, qint64 count) {
    if (count > 0 && Write(buffer, count) != count)
        throw EContainerError(ContainerFault::StreamNotWritten, QStringLiteral("ストリームの書き込みエラー"));
}

QByteArray TStream::ReadRest() {
    const qint64 left = std::max<qint64>(0, Size() - Position());
    QByteArray bytes(qsizetype(left), Qt::Uninitialized);
    bytes.resize(qsizetype(Read(bytes.data(), left)));
    return bytes;
}

qint64 TStream::CopyFrom(TStream& source, qint64 count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    QByteArray buffer(qsizetype(std::min<qint64>(count, 1 << 20)), Qt::Uninitialized);
    for (qint64 left = count; left > 0;) {
        const qint64 n = std::min<qint64>(left, buffer.size());
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.constData(), n);
        left -= n;
    }
    return count;
}

}  // namespace poremi
