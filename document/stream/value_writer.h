#pragma once
// Writes the typed values of a component stream.

#include "document/stream/byte_cursor.h"
#include "document/stream/value_type.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace poremi {

class ValueWriter {
public:
    ByteWriter& bytes() { return bytes_; }
    const QByteArray& data() const { return bytes_.bytes(); }

    void writeValue(ValueType type) { bytes_.writeByte(static_cast<std::uint8_t>(type)); }
    void writeListBegin() { writeValue(ValueType::List); }
    void writeListEnd() { writeValue(ValueType::Null); }

    // One length byte and the bytes; longer than 255 bytes cannot be written.
    void writeShortString(QByteArrayView bytes);
    static QByteArray encodeName(const QString& name);

    // The narrowest of int8, int16 and int32 that holds the value; int64 beyond 32 bits.
    void writeInteger(qint64 value);
    // Floats must be finite (else the property-value error, as a write error).
    void writeFloat(double value);  // extended
    void writeSingle(float value);
    void writeCurrency(qint64 scaledByTenThousand);
    void writeDate(double value);
    // A code-page string (short up to 255 bytes, else long) when CP932 holds the text, else a
    // wide string, so no character is lost.
    void writeString(const QString& text);
    void writeWideString(const QString& text);
    // False, True, nil and Null become their own value types.
    void writeIdent(const QString& name);
    void writeBoolean(bool value) { writeValue(value ? ValueType::True : ValueType::False); }
    void writeBinary(QByteArrayView data);
    void writeSet(const QStringList& memberNames);

private:
    static void requireFinite(double value);

    ByteWriter bytes_;
};

}  // namespace poremi
