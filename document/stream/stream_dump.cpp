#include "document/stream/stream_dump.h"

#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"
#include "document/stream/value_reader.h"

#include <algorithm>
#include <charconv>

namespace poremi {
namespace {

constexpr int kBinaryBytesPerLine = 32;
// Deeper levels are not indented further, so hostile nesting cannot multiply the output.
constexpr int kMaxIndentLevel = 32;

QString indent(int level) { return QString(std::min(level, kMaxIndentLevel) * 2, u' '); }

QString formatFloat(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

// 'text' with quotes doubled and control characters as #n between quoted runs.
QString quoted(const QString& text) {
    QString out;
    bool open = false;
    for (QChar c : text) {
        if (c.unicode() < 0x20) {
            if (open) out += u'\'';
            open = false;
            out += u'#' + QString::number(c.unicode());
            continue;
        }
        if (!open) out += u'\'';
        open = true;
        out += c;
        if (c == u'\'') out += u'\'';
    }
    if (open) out += u'\'';
    return out.isEmpty() ? QStringLiteral("''") : out;
}

class StreamDumper {
public:
    explicit StreamDumper(QByteArrayView bytes) : in_(bytes) {}

    QString dump() {
        if (in_.bytes().remaining() < 4 || in_.bytes().readBytes(4) != QByteArrayView("TPF0"))
            stream_error::invalidFormat();
        dumpObject(0);
        return out_;
    }

private:
    void line(int level, const QString& text) { out_ += indent(level) + text + u'\n'; }

    void dumpObject(int level) {
        const ValueReader::Nesting nesting(in_);
        QString header = QStringLiteral("object ");
        QString position;
        if (in_.bytes().peekByte() >= 0xF0) {
            const int flags = in_.bytes().readByte() & 0x0F;
            if (flags & 1) header = QStringLiteral("inherited ");
            if (flags & 4) header = QStringLiteral("inline ");
            if (flags & 2) position = QStringLiteral(" [%1]").arg(in_.readInteger());
        }
        const QString className = ValueReader::decodeName(in_.readShortString());
        const QString name = ValueReader::decodeName(in_.readShortString());
        line(level, header + (name.isEmpty() ? QString() : name + QStringLiteral(": ")) + className + position);
        while (!in_.endOfList()) dumpProperty(level + 1);
        in_.readListEnd();
        while (!in_.endOfList()) dumpObject(level + 1);
        in_.readListEnd();
        line(level, QStringLiteral("end"));
    }

    void dumpProperty(int level) {
        const QString name = ValueReader::decodeName(in_.readShortString());
        line(level, name + QStringLiteral(" = ") + value(level));
    }

    // One value; continuation lines are indented one level deeper than the property.
    QString value(int level) {
        const ValueReader::Nesting nesting(in_);
        switch (in_.nextValue()) {
        case ValueType::List: {
            in_.readValue();
            QString text = QStringLiteral("(");
            while (!in_.endOfList()) text += u'\n' + indent(level + 1) + value(level + 1);
            in_.readListEnd();
            return text + u')';
        }
        case ValueType::Int8:
        case ValueType::Int16:
        case ValueType::Int32:
        case ValueType::Int64: return QString::number(in_.readInteger());
        case ValueType::Extended: return formatFloat(in_.readFloat());
        case ValueType::Single: return formatFloat(in_.readFloat()) + u's';
        case ValueType::Currency: return formatFloat(in_.readFloat()) + u'c';
        case ValueType::Date: return formatFloat(in_.readFloat()) + u'd';
        case ValueType::String:
        case ValueType::LString:
        case ValueType::WString: return quoted(in_.readString());
        case ValueType::Ident:
        case ValueType::False:
        case ValueType::True:
        case ValueType::Nil:
        case ValueType::Null: return in_.readIdent();
        case ValueType::Binary: return binary(level);
        case ValueType::Set: return u'[' + in_.readSet().join(QStringLiteral(", ")) + u']';
        case ValueType::Collection: return collection(level);
        }
        stream_error::invalidFormat();
    }

    QString binary(int level) {
        const QByteArray data = in_.readBinary();
        QString text = QStringLiteral("{");
        for (qsizetype at = 0; at < data.size(); at += kBinaryBytesPerLine)
            text += u'\n' + indent(level + 1) + QString::fromLatin1(data.mid(at, kBinaryBytesPerLine).toHex().toUpper());
        return text + u'}';
    }

    QString collection(int level) {
        in_.readValue();
        QString text = QStringLiteral("<");
        while (!in_.endOfList()) {
            const ValueReader::Nesting nesting(in_);
            QString item = QStringLiteral("item");
            if (const ValueType t = in_.nextValue(); t == ValueType::Int8 || t == ValueType::Int16 || t == ValueType::Int32)
                item += QStringLiteral(" [%1]").arg(in_.readInteger());
            text += u'\n' + indent(level + 1) + item;
            in_.readListBegin();
            while (!in_.endOfList()) {
                const QString name = ValueReader::decodeName(in_.readShortString());
                text += u'\n' + indent(level + 2) + name + QStringLiteral(" = ") + value(level + 2);
            }
            in_.readListEnd();
            text += u'\n' + indent(level + 1) + QStringLiteral("end");
        }
        in_.readListEnd();
        return text + u'>';
    }

    ValueReader in_;
    QString out_;
};

}  // namespace

QString dumpComponentStream(const QByteArray& bytes) {
    const bool resource = !bytes.isEmpty() && static_cast<unsigned char>(bytes[0]) == 0xFF;
    const qsizetype offset = resource ? componentResourceHeaderSize(bytes) : 0;
    return StreamDumper(QByteArrayView(bytes).sliced(offset)).dump();
}

}  // namespace poremi
