#include "tests/poremi_docstream/stream_fixture.h"

#include "document/stream/component_stream.h"

#include <QtCore/QBuffer>
#include <stdexcept>

namespace poremi::test {

QByteArray fixture(const char* text) {
    QByteArray out;
    for (const char* p = text; *p;) {
        const char c = *p;
        if (c == '#') {
            while (*p && *p != '\n') ++p;
        } else if (c == '\'') {
            ++p;
            while (*p && *p != '\'') out.append(*p++);
            if (*p) ++p;
        } else if (std::isxdigit(static_cast<unsigned char>(c))) {
            if (!std::isxdigit(static_cast<unsigned char>(p[1]))) throw std::invalid_argument("odd hex digit");
            out.append(static_cast<char>(QByteArray(p, 2).toInt(nullptr, 16)));
            p += 2;
        } else {
            ++p;
        }
    }
    return out;
}

void PrintTo(const Failure& failure, std::ostream* out) {
    *out << "fault " << (failure.fault ? int(*failure.fault) : -1) << ", \"" << failure.message.toStdString() << '"';
}

QByteArray streamOf(const TComponent& component) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteComponent(buffer, component);
    return buffer.data();
}

std::unique_ptr<TComponent> readStream(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadComponent(buffer);
}

void readStreamInto(const QByteArray& bytes, TComponent& root) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ReadComponent(buffer, root);
}

}  // namespace poremi::test
