#pragma once
// Reads the typed values of a component stream. Every length is checked against the bytes
// that remain and nesting is capped, so hostile input ends in an error, not a crash or a hang.

#include "document/stream/byte_cursor.h"
#include "document/stream/value_type.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace poremi {

class ValueReader {
public:
    static constexpr int kMaxNesting = 256;

    explicit ValueReader(QByteArrayView bytes) : bytes_(bytes) {}

    ByteReader& bytes() { return bytes_; }
    qsizetype position() const { return bytes_.position(); }

    // The type of the next value, without consuming it. An unknown type byte is a format error.
    ValueType nextValue() const;
    ValueType readValue();
    // Consumes a value's type byte, which must be the given one (else the property-value error).
    void checkValue(ValueType expected);
    bool endOfList() const { return bytes_.peekByte() == 0; }
    void readListBegin() { checkValue(ValueType::List); }
    void readListEnd() { checkValue(ValueType::Null); }

    // One length byte, then that many bytes (class, object and property names).
    QByteArray readShortString();
    static QString decodeName(QByteArrayView bytes);

    // Integers of any width.
    qint64 readInteger();
    // Floats of any float type; integers are accepted too. Infinities and NaNs are refused.
    double readFloat();
    // Any string type: code-page strings in CP932, wide strings in UTF-16.
    QString readString();
    // Identifiers; False, True, nil and Null stand for their own value types.
    QString readIdent();
    QByteArray readBinary();
    QStringList readSet();

    // Skips one value of any type, lists and collections recursively.
    void skipValue();

    // Guards one level of nesting (lists, collections, child records, sub-object paths).
    class Nesting {
    public:
        explicit Nesting(ValueReader& reader);
        ~Nesting() { --reader_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        ValueReader& reader_;
    };

private:
    double readAnyFloat();
    void skipCollection();

    ByteReader bytes_;
    int depth_ = 0;
};

}  // namespace poremi
