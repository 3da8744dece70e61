#include "document/stream/component_stream.h"

#include "base/text_codec.h"
#include "document/stream/component_reader.h"
#include "document/stream/component_writer.h"

namespace poremi {
namespace {

constexpr int kResourceHeaderScan = 79;
constexpr int kResourceNameLimit = 63;

void writeAll(QIODevice& stream, const QByteArray& bytes) {
    if (stream.write(bytes) != bytes.size()) stream_error::writeError();
}

// Everything the device holds from its position on.
QByteArray readRemaining(QIODevice& stream) {
    if (!stream.isReadable()) stream_error::readError();
    return stream.readAll();
}

// Puts a random-access device just behind the consumed bytes.
void consume(QIODevice& stream, qint64 start, qsizetype consumed) {
    if (!stream.isSequential()) stream.seek(start + consumed);
}

std::unique_ptr<TComponent> readFrom(QIODevice& stream, TComponent* root, bool resource) {
    const qint64 start = stream.isSequential() ? 0 : stream.pos();
    const QByteArray bytes = readRemaining(stream);
    const qsizetype offset = resource ? componentResourceHeaderSize(bytes) : 0;
    ComponentReader reader(QByteArrayView(bytes).sliced(offset));
    std::unique_ptr<TComponent> created = reader.readRootComponent(root);
    consume(stream, start, offset + reader.position());
    return created;
}

}  // namespace

QByteArray componentStreamBytes(const TComponent& component) {
    ValueWriter out;
    ComponentWriter(out).writeRootComponent(component);
    return out.data();
}

QByteArray componentResourceBytes(const QString& resourceName, const TComponent& component) {
    ByteWriter out;
    out.writeByte(0xFF);
    out.writeInt16(10);
    QByteArray name = cp932::encode(resourceName).left(kResourceNameLimit);
    for (char& c : name)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    out.writeBytes(name);
    out.writeByte(0);
    out.writeInt16(0x1030);
    const qsizetype lengthAt = out.bytes().size();
    out.writeInt32(0);
    const QByteArray body = componentStreamBytes(component);
    out.writeBytes(body);
    out.patchInt32(lengthAt, static_cast<std::int32_t>(body.size()));
    return out.bytes();
}

qsizetype componentResourceHeaderSize(QByteArrayView resource) {
    const QByteArrayView head = resource.first(std::min<qsizetype>(resource.size(), kResourceHeaderScan));
    if (head.size() < 3 || static_cast<unsigned char>(head[0]) != 0xFF || head[1] != 10 || head[2] != 0)
        stream_error::invalidFormat();
    const qsizetype terminator = head.indexOf('\0', 3);
    if (terminator < 0) stream_error::invalidFormat();
    const qsizetype size = terminator + 1 + 6;
    if (size > resource.size()) stream_error::readError();
    return size;
}

void WriteComponent(QIODevice& stream, const TComponent& component) {
    writeAll(stream, componentStreamBytes(component));
}

void WriteComponentRes(QIODevice& stream, const QString& resourceName, const TComponent& component) {
    writeAll(stream, componentResourceBytes(resourceName, component));
}

void ReadComponent(QIODevice& stream, TComponent& root) { readFrom(stream, &root, false); }
void ReadComponentRes(QIODevice& stream, TComponent& root) { readFrom(stream, &root, true); }
std::unique_ptr<TComponent> ReadComponent(QIODevice& stream) { return readFrom(stream, nullptr, false); }
std::unique_ptr<TComponent> ReadComponentRes(QIODevice& stream) { return readFrom(stream, nullptr, true); }

}  // namespace poremi
