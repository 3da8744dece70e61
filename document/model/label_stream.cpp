#include "document/model/label_stream.h"

#include "document/container/zlib_stream.h"
#include "document/model/draw_interfaces.h"
#include "document/model/draw_object.h"
#include "document/model/object_list.h"
#include "document/stream/class_declaration.h"
#include "document/stream/component_stream.h"
#include "document/stream/stream_error.h"

#include <QtCore/QBuffer>

#include <algorithm>
#include <memory>
#include <vector>

namespace poremi {

namespace {

const QString kResourceName = QStringLiteral("LabelData");

// A background in its default state is the same as none, so it is never stored.
bool isStored(const TDrawObject& object) {
    const auto* background = dynamic_cast<const IDOFaceBackground*>(&object);
    return !background || !background->isDefaultBackground();
}

}  // namespace

const TClassInfo& TLDObjects::staticClassInfo() {
    static const TClassInfo info = describeClass<TLDObjects, TComponent>("TLDObjects");
    return info;
}

void TLDObjects::getChildren(const std::function<void(TComponent&)>& yield) const {
    if (!list_) {
        TComponent::getChildren(yield);
        return;
    }
    const auto& items = list_->items();
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        if (isStored(**it)) yield(**it);
}

QByteArray labelStreamBytes(const TDOList& frontToBack) {
    const auto& items = frontToBack.items();
    if (std::none_of(items.begin(), items.end(), [](const TDrawObject* object) { return isStored(*object); })) return {};
    return componentResourceBytes(kResourceName, TLDObjects(frontToBack));
}

void readLabelStream(const QByteArray& bytes, TDOList& backToFront) {
    if (bytes.isEmpty()) return;
    QByteArray plain = IsCompressedBytes(bytes) ? DecompressBytes(bytes) : bytes;
    QBuffer buffer(&plain);
    buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<TLDObjects> wrapper = ReadComponentResAs<TLDObjects>(buffer);
    // Taken over only when every child is a draw object, so a failure leaves the list alone.
    std::vector<TDrawObject*> objects;
    for (TComponent* child : wrapper->components()) {
        auto* object = dynamic_cast<TDrawObject*>(child);
        if (!object) stream_error::invalidCast();
        objects.push_back(object);
    }
    for (TDrawObject* object : objects) {
        wrapper->removeComponent(object);
        object->setName(QString());
        backToFront.add(object);
    }
}

QByteArray compressedLabelStream(const QByteArray& bytes) {
    if (bytes.isEmpty() || IsCompressedBytes(bytes)) return bytes;
    return CompressBytes(bytes, kCompressBest);
}

}  // namespace poremi
