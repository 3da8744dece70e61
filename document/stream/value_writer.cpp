#include "document/stream/value_writer.h"

#include "base/text_codec.h"
#include "document/stream/extended_float.h"
#include "document/stream/stream_error.h"

#include <bit>
#include <cmath>
#include <limits>

namespace poremi {

void ValueWriter::writeShortString(QByteArrayView bytes) {
    if (bytes.size() > 255) stream_error::writeError();
    bytes_.writeByte(static_cast<std::uint8_t>(bytes.size()));
    bytes_.writeBytes(bytes);
}

QByteArray ValueWriter::encodeName(const QString& name) {
    for (QChar c : name)
        if (c.unicode() >= 0x80) return cp932::encode(name);
    return name.toLatin1();
}

// A file the reader would refuse is not written at all.
void ValueWriter::requireFinite(double value) {
    if (!std::isfinite(value)) stream_error::invalidPropertyValueToWrite();
}

void ValueWriter::writeInteger(qint64 value) {
    if (value >= -128 && value <= 127) {
        writeValue(ValueType::Int8);
        bytes_.writeByte(static_cast<std::uint8_t>(value));
    } else if (value >= -32768 && value <= 32767) {
        writeValue(ValueType::Int16);
        bytes_.writeInt16(static_cast<std::int16_t>(value));
    } else if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max()) {
        writeValue(ValueType::Int32);
        bytes_.writeInt32(static_cast<std::int32_t>(value));
    } else {
        writeValue(ValueType::Int64);
        bytes_.writeInt64(value);
    }
}

void ValueWriter::writeFloat(double value) {
    requireFinite(value);
    writeValue(ValueType::Extended);
    const ExtendedBytes raw = toExtended(value);
    bytes_.writeBytes(QByteArrayView(reinterpret_cast<const char*>(raw.data()), raw.size()));
}

void ValueWriter::writeSingle(float value) {
    requireFinite(value);
    writeValue(ValueType::Single);
    bytes_.writeInt32(static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(value)));
}

void ValueWriter::writeCurrency(qint64 scaledByTenThousand) {
    writeValue(ValueType::Currency);
    bytes_.writeInt64(scaledByTenThousand);
}

void ValueWriter::writeDate(double value) {
    requireFinite(value);
    writeValue(ValueType::Date);
    bytes_.writeInt64(static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(value)));
}

void ValueWriter::writeString(const QString& text) {
    bool lossless = true;
    const QByteArray encoded = cp932::encode(text, &lossless);
    if (!lossless) {
        writeWideString(text);
    } else if (encoded.size() <= 255) {
        writeValue(ValueType::String);
        writeShortString(encoded);
    } else {
        writeValue(ValueType::LString);
        bytes_.writeInt32(static_cast<std::int32_t>(encoded.size()));
        bytes_.writeBytes(encoded);
    }
}

void ValueWriter::writeWideString(const QString& text) {
    writeValue(ValueType::WString);
    bytes_.writeInt32(static_cast<std::int32_t>(text.size()));
    for (QChar c : text) bytes_.writeInt16(static_cast<std::int16_t>(c.unicode()));
}

void ValueWriter::writeIdent(const QString& name) {
    if (name.compare(u"False", Qt::CaseInsensitive) == 0) {
        writeValue(ValueType::False);
    } else if (name.compare(u"True", Qt::CaseInsensitive) == 0) {
        writeValue(ValueType::True);
    } else if (name.compare(u"nil", Qt::CaseInsensitive) == 0) {
        writeValue(ValueType::Nil);
    } else if (name.compare(u"Null", Qt::CaseInsensitive) == 0) {
        writeValue(ValueType::Null);
    } else {
        writeValue(ValueType::Ident);
        writeShortString(encodeName(name));
    }
}

void ValueWriter::writeBinary(QByteArrayView data) {
    writeValue(ValueType::Binary);
    bytes_.writeInt32(static_cast<std::int32_t>(data.size()));
    bytes_.writeBytes(data);
}

void ValueWriter::writeSet(const QStringList& memberNames) {
    writeValue(ValueType::Set);
    for (const QString& name : memberNames) writeShortString(encodeName(name));
    writeShortString({});
}

}  // namespace poremi
