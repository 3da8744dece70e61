#include "document/stream/byte_cursor.h"

#include "document/stream/stream_error.h"

namespace poremi {

void ByteReader::requireAvailable(std::int64_t count, int elementSize) const {
    if (count < 0 || count > remaining() / elementSize) stream_error::readError();
}

std::uint8_t ByteReader::peekByte() const {
    requireAvailable(1);
    return static_cast<std::uint8_t>(bytes_[position_]);
}

std::uint8_t ByteReader::readByte() {
    const std::uint8_t value = peekByte();
    ++position_;
    return value;
}

QByteArrayView ByteReader::readBytes(qsizetype count) {
    requireAvailable(count);
    const QByteArrayView view = bytes_.sliced(position_, count);
    position_ += count;
    return view;
}

std::uint16_t ByteReader::readUInt16() {
    const QByteArrayView b = readBytes(2);
    return static_cast<std::uint16_t>(std::uint8_t(b[0]) | (std::uint8_t(b[1]) << 8));
}

std::int16_t ByteReader::readInt16() { return static_cast<std::int16_t>(readUInt16()); }

std::int32_t ByteReader::readInt32() {
    const QByteArrayView b = readBytes(4);
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= std::uint32_t(std::uint8_t(b[i])) << (8 * i);
    return static_cast<std::int32_t>(value);
}

std::int64_t ByteReader::readInt64() {
    const QByteArrayView b = readBytes(8);
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value |= std::uint64_t(std::uint8_t(b[i])) << (8 * i);
    return static_cast<std::int64_t>(value);
}

void ByteWriter::writeLittleEndian(std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) bytes_.append(static_cast<char>(value >> (8 * i)));
}

void ByteWriter::patchInt32(qsizetype position, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes_[position + i] = static_cast<char>(v >> (8 * i));
}

}  // namespace poremi
