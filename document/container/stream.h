#pragma once
// A byte stream with a position: the common face of compound-file streams and memory streams.

#include <QtCore/QByteArray>

namespace poremi {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Reads at most count bytes; fewer at the end.
    virtual qint64 Read(void* buffer, qint64 count) = 0;
    virtual qint64 Write(const void* buffer, qint64 count) = 0;
    virtual qint64 Seek(qint64 offset, TSeekOrigin origin) = 0;
    virtual void SetSize(qint64 size) = 0;
    virtual qint64 Size();

    qint64 Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(qint64 position) { Seek(position, TSeekOrigin::soBeginning); }

    // Exactly count bytes, or poremi::Exception.
    void ReadBuffer(void* buffer, qint64 count);
    void WriteBuffer(const void* buffer, qint64 count);
    // Everything from the position to the end.
    QByteArray ReadRest();
    void WriteBytes(const QByteArray& bytes) { WriteBuffer(bytes.constData(), bytes.size()); }
    // Copies count bytes from source's position; count 0 copies all of source from its start.
    qint64 CopyFrom(TStream& source, qint64 count);
};

}  // namespace poremi
