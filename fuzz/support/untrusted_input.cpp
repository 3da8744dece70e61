#include "fuzz/support/untrusted_input.h"

#include "document/stream/component_stream.h"
#include "document/stream/stream_dump.h"
#include "fuzz/support/sample_classes.h"

namespace poremi::test {

void readUntrustedComponentStream(const QByteArray& bytes) {
    sample::registerSampleClasses();
    const bool resource = !bytes.isEmpty() && static_cast<unsigned char>(bytes[0]) == 0xFF;
    if (resource) {
        readIgnoringErrors(bytes, [](QIODevice& in) { ReadComponentRes(in); });
    } else {
        readIgnoringErrors(bytes, [](QIODevice& in) { ReadComponent(in); });
        readIgnoringErrors(bytes, [](QIODevice& in) {
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
