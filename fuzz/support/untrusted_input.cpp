#include "fuzz/support/untrusted_input.h"

#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "fuzz/support/sample_classes.h"

#include <QtCore/QBuffer>

namespace poremi::test {
namespace {

template <class Read>
void attempt(const QByteArray& bytes, Read read) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        read(buffer);
    } catch (const Exception&) {
    }
}

}  // namespace

void readUntrustedComponentStream(const QByteArray& bytes) {
    sample::registerSampleClasses();
    const bool resource = !bytes.isEmpty() && static_cast<unsigned char>(bytes[0]) == 0xFF;
    if (resource) {
        attempt(bytes, [](QIODevice& in) { ReadComponentRes(in); });
    } else {
        attempt(bytes, [](QIODevice& in) { ReadComponent(in); });
        attempt(bytes, [](QIODevice& in) {
            sample::TSampleObject root;
            ReadComponent(in, root);
        });
    }
    try {
        dumpComponentStream(bytes);
    } catch (const Exception&) {
    }
}

}  // namespace poremi::test
