#pragma once
// Little-endian reading and writing of raw bytes. The reader checks every length against what
// remains, so a hostile length never allocates more than the input holds.

#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <cstdint>

namespace poremi {

class ByteReader {
public:
    explicit ByteReader(QByteArrayView bytes) : bytes_(bytes) {}

    qsizetype position() const { return position_; }
    qsizetype remaining() const { return bytes_.size() - position_; }
    bool atEnd() const { return remaining() == 0; }

    // Every read past the end fails with the read error.
    std::uint8_t peekByte() const;
    std::uint8_t readByte();
    std::int8_t readInt8() { return static_cast<std::int8_t>(readByte()); }
    std::int16_t readInt16();
    std::uint16_t readUInt16();
    std::int32_t readInt32();
    std::int64_t readInt64();
    QByteArrayView readBytes(qsizetype count);
    // A length of count elements of elementSize bytes that must fit in what remains.
    void requireAvailable(std::int64_t count, int elementSize = 1) const;

private:
    QByteArrayView bytes_;
    qsizetype position_ = 0;
};

class ByteWriter {
public:
    QByteArray& bytes() { return bytes_; }
    const QByteArray& bytes() const { return bytes_; }

    void writeByte(std::uint8_t value) { bytes_.append(static_cast<char>(value)); }
    void writeInt16(std::int16_t value) { writeLittleEndian(static_cast<std::uint16_t>(value), 2); }
    void writeInt32(std::int32_t value) { writeLittleEndian(static_cast<std::uint32_t>(value), 4); }
    void writeInt64(std::int64_t value) { writeLittleEndian(static_cast<std::uint64_t>(value), 8); }
    void writeBytes(QByteArrayView bytes) { bytes_.append(bytes); }
    // Overwrites four bytes at an earlier position (length fields written before their data).
    void patchInt32(qsizetype position, std::int32_t value);

private:
    void writeLittleEndian(std::uint64_t value, int size);

    QByteArray bytes_;
};

}  // namespace poremi
