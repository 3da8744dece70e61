#include "document/model/object_list.h"

#include "document/model/draw_object.h"
#include "document/stream/component_reader.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"

#include <QtCore/QtEndian>
#include <memory>

namespace poremi {

void TDOList::freeAll() {
    const std::vector<TDrawObject*> freed = std::move(items_);
    items_.clear();
    for (TDrawObject* object : freed) delete object;
}

void TDOList::writeTo(QIODevice& stream) const {
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(static_cast<qint32>(items_.size()), bytes.data());
    for (const TDrawObject* object : items_) bytes += componentStreamBytes(*object);
    if (stream.write(bytes) != bytes.size()) stream_error::writeError();
}

void TDOList::readFrom(QIODevice& stream) {
    items_.clear();
    if (!stream.isReadable()) stream_error::readError();
    const qint64 start = stream.isSequential() ? 0 : stream.pos();
    const QByteArray bytes = stream.readAll();
    if (bytes.size() < 4) stream_error::readError();
    const qint64 count = qFromLittleEndian<qint32>(bytes.constData());
    if (count < 0) stream_error::readError();

    // The count comes from outside: objects are read one by one and nothing is reserved. One
    // reader goes over the whole buffer, each object starting where the last one ended.
    std::vector<std::unique_ptr<TDrawObject>> read;
    ComponentReader reader(QByteArrayView(bytes).sliced(4));
    for (qint64 i = 0; i < count; ++i) {
        if (4 + reader.position() >= bytes.size()) stream_error::readError();
        std::unique_ptr<TComponent> component = reader.readRootComponent(nullptr);
        if (auto* object = dynamic_cast<TDrawObject*>(component.get())) {
            component.release();
            read.emplace_back(object);
        }
    }
    if (!stream.isSequential()) stream.seek(start + 4 + reader.position());
    for (std::unique_ptr<TDrawObject>& object : read) items_.push_back(object.release());
}

}  // namespace poremi
