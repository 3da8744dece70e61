#include "document/stream/value_reader.h"

#include "base/text_codec.h"
#include "document/stream/extended_float.h"
#include "document/stream/stream_error.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace poremi {

ValueReader::Nesting::Nesting(ValueReader& reader) : reader_(reader) {
    if (++reader_.depth_ > kMaxNesting) {
        --reader_.depth_;
        stream_error::readError();
    }
}

ValueType ValueReader::nextValue() const {
    const std::uint8_t type = bytes_.peekByte();
    if (type > kLastValueType) stream_error::invalidFormat();
    return static_cast<ValueType>(type);
}

ValueType ValueReader::readValue() {
    const ValueType type = nextValue();
    bytes_.readByte();
    return type;
}

void ValueReader::checkValue(ValueType expected) {
    if (readValue() != expected) stream_error::invalidPropertyValue();
}

QByteArray ValueReader::readShortString() {
    const int length = bytes_.readByte();
    return bytes_.readBytes(length).toByteArray();
}

QString ValueReader::decodeName(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return cp932::decode(bytes);
    return QString::fromLatin1(bytes);
}

qint64 ValueReader::readInteger() {
    switch (readValue()) {
    case ValueType::Int8: return bytes_.readInt8();
    case ValueType::Int16: return bytes_.readInt16();
    case ValueType::Int32: return bytes_.readInt32();
    case ValueType::Int64: return bytes_.readInt64();
    default: stream_error::invalidPropertyValue();
    }
}

double ValueReader::readFloat() {
    const double value = readAnyFloat();
    // Nothing in the files means infinity or NaN, and either would poison every computation
    // (sizes, positions, dates) that takes the value.
    if (!std::isfinite(value)) stream_error::invalidPropertyValue();
    return value;
}

double ValueReader::readAnyFloat() {
    switch (nextValue()) {
    case ValueType::Extended: {
        readValue();
        ExtendedBytes raw;
        std::memcpy(raw.data(), bytes_.readBytes(10).data(), raw.size());
        return fromExtended(raw);
    }
    case ValueType::Single:
        readValue();
        return std::bit_cast<float>(static_cast<std::uint32_t>(bytes_.readInt32()));
    case ValueType::Currency: readValue(); return static_cast<double>(bytes_.readInt64()) / 10000.0;
    case ValueType::Date: readValue(); return std::bit_cast<double>(bytes_.readInt64());
    default: return static_cast<double>(readInteger());
    }
}

QString ValueReader::readString() {
    switch (readValue()) {
    case ValueType::String: return cp932::decode(bytes_.readBytes(bytes_.readByte()));
    case ValueType::LString: {
        const std::int32_t length = bytes_.readInt32();
        bytes_.requireAvailable(length);
        return cp932::decode(bytes_.readBytes(length));
    }
    case ValueType::WString: {
        const std::int32_t count = bytes_.readInt32();
        bytes_.requireAvailable(count, 2);
        const QByteArrayView raw = bytes_.readBytes(qsizetype(count) * 2);
        QString text(count, Qt::Uninitialized);
        for (qsizetype i = 0; i < count; ++i)
            text[i] = QChar(char16_t(std::uint8_t(raw[2 * i]) | (std::uint8_t(raw[2 * i + 1]) << 8)));
        return text;
    }
    default: stream_error::invalidPropertyValue();
    }
}

QString ValueReader::readIdent() {
    switch (readValue()) {
    case ValueType::Ident: return decodeName(readShortString());
    case ValueType::False: return QStringLiteral("False");
    case ValueType::True: return QStringLiteral("True");
    case ValueType::Nil: return QStringLiteral("nil");
    case ValueType::Null: return QStringLiteral("Null");
    default: stream_error::invalidPropertyValue();
    }
}

QByteArray ValueReader::readBinary() {
    checkValue(ValueType::Binary);
    const std::int32_t length = bytes_.readInt32();
    bytes_.requireAvailable(length);
    return bytes_.readBytes(length).toByteArray();
}

QStringList ValueReader::readSet() {
    checkValue(ValueType::Set);
    QStringList names;
    for (;;) {
        const QByteArray name = readShortString();
        if (name.isEmpty()) return names;
        names.append(decodeName(name));
    }
}

void ValueReader::skipValue() {
    const Nesting nesting(*this);
    switch (readValue()) {
    case ValueType::Null:
    case ValueType::False:
    case ValueType::True:
    case ValueType::Nil: return;
    case ValueType::List:
        while (!endOfList()) skipValue();
        readListEnd();
        return;
    case ValueType::Int8: bytes_.readBytes(1); return;
    case ValueType::Int16: bytes_.readBytes(2); return;
    case ValueType::Int32:
    case ValueType::Single: bytes_.readBytes(4); return;
    case ValueType::Extended: bytes_.readBytes(10); return;
    case ValueType::String:
    case ValueType::Ident: bytes_.readBytes(bytes_.readByte()); return;
    case ValueType::Binary:
    case ValueType::LString: {
        const std::int32_t length = bytes_.readInt32();
        bytes_.requireAvailable(length);
        bytes_.readBytes(length);
        return;
    }
    case ValueType::WString: {
        const std::int32_t count = bytes_.readInt32();
        bytes_.requireAvailable(count, 2);
        bytes_.readBytes(qsizetype(count) * 2);
        return;
    }
    case ValueType::Set:
        while (!readShortString().isEmpty()) {
        }
        return;
    case ValueType::Collection: skipCollection(); return;
    case ValueType::Currency:
    case ValueType::Date:
    case ValueType::Int64: bytes_.readBytes(8); return;
    }
}

void ValueReader::skipCollection() {
    while (!endOfList()) {
        if (const ValueType t = nextValue(); t == ValueType::Int8 || t == ValueType::Int16 || t == ValueType::Int32)
            readInteger();
        readListBegin();
        while (!endOfList()) {
            readShortString();
            skipValue();
        }
        readListEnd();
    }
    readListEnd();
}

}  // namespace poremi
