#include "document/stream/component_writer.h"

#include "document/stream/collection.h"
#include "document/stream/component.h"
#include "document/stream/custom_properties.h"
#include "document/stream/name_tables.h"
#include "document/stream/stream_error.h"

#include <bit>

namespace poremi {
namespace {

constexpr int kMaxDepth = 256;

class DepthGuard {
public:
    explicit DepthGuard(int& depth) : depth_(depth) {
        if (++depth_ > kMaxDepth) {
            --depth_;
            stream_error::writeError();
        }
    }
    ~DepthGuard() { --depth_; }

private:
    int& depth_;
};

// The sub-object of reference that stands beside instance's sub-object, else a fresh one.
const TPersistent* referenceFor(const TPersistent& object, const TPersistent* parentReference, const PropertyInfo& p) {
    if (parentReference) {
        const TPersistent* candidate = p.getObject(*parentReference);
        if (candidate && &candidate->classInfo() == &object.classInfo()) return candidate;
    }
    return object.classInfo().prototype();
}

QStringList memberNames(const PropertyInfo& p, qint64 mask) {
    QStringList names;
    for (qsizetype i = 0; i < p.elementNames.size(); ++i)
        if (mask & (qint64{1} << i)) names.append(p.elementNames[i]);
    return names;
}

}  // namespace

void ComponentWriter::writeRootComponent(const TComponent& root) {
    out_.bytes().writeBytes("TPF0");
    writeComponent(root);
}

void ComponentWriter::writeComponent(const TComponent& component) {
    const DepthGuard guard(depth_);
    out_.writeShortString(ValueWriter::encodeName(component.className()));
    out_.writeShortString(ValueWriter::encodeName(component.name()));
    writeProperties(component, component.classInfo().prototype(), {});
    out_.writeListEnd();
    component.getChildren([this](TComponent& child) { writeComponent(child); });
    out_.writeListEnd();
}

void ComponentWriter::writeName(const QString& prefix, const QString& name) {
    out_.writeShortString(ValueWriter::encodeName(prefix.isEmpty() ? name : prefix + name));
}

void ComponentWriter::writeProperties(const TPersistent& instance, const TPersistent* reference, const QString& prefix) {
    const DepthGuard guard(depth_);
    for (const PropertyInfo* p : instance.classInfo().properties()) {
        if (!p->isStored(instance)) continue;
        switch (p->kind) {
        case PropertyKind::Integer:
        case PropertyKind::Character:
        case PropertyKind::Enumeration:
        case PropertyKind::Set: {
            const qint64 value = p->getOrdinal(instance);
            if (p->defaultValue && *p->defaultValue == value) break;
            writeName(prefix, p->name);
            if (p->kind == PropertyKind::Integer) {
                const std::optional<QString> name = p->names ? p->names->nameOf(value) : std::nullopt;
                if (name)
                    out_.writeIdent(*name);
                else
                    out_.writeInteger(value);
            } else if (p->kind == PropertyKind::Character) {
                out_.writeValue(ValueType::String);
                const char byte = static_cast<char>(value);
                out_.writeShortString(QByteArrayView(&byte, 1));
            } else if (p->kind == PropertyKind::Enumeration) {
                if (value < 0 || value >= p->elementNames.size()) stream_error::writeError();
                out_.writeIdent(p->elementNames[value]);
            } else {
                out_.writeSet(memberNames(*p, value));
            }
            break;
        }
        case PropertyKind::Float: {
            const double value = p->getFloat(instance);
            const double fresh = reference ? p->getFloat(*reference) : 0.0;
            if (std::bit_cast<quint64>(value) == std::bit_cast<quint64>(fresh)) break;
            writeName(prefix, p->name);
            out_.writeFloat(value);
            break;
        }
        case PropertyKind::String: {
            const QString value = p->getString(instance);
            const QString fresh = reference ? p->getString(*reference) : QString();
            if (value == fresh) break;
            writeName(prefix, p->name);
            out_.writeString(value);
            break;
        }
        case PropertyKind::Object: {
            const TPersistent* object = p->getObject(instance);
            if (!object) break;
            const QString path = prefix + p->name;
            writeProperties(*object, referenceFor(*object, reference, *p), path + u'.');
            if (const auto* collection = dynamic_cast<const TCollection*>(object)) {
                writeName({}, path);
                writeCollection(*collection);
            }
            break;
        }
        case PropertyKind::Reference:
        case PropertyKind::Event: break;  // this system stores none
        }
    }
    for (const CustomProperty& custom : customPropertiesOf(instance)) {
        if (!custom.hasData) continue;
        writeName(prefix, custom.name);
        writeCustomValue(custom, out_);
    }
}

void ComponentWriter::writeCollection(const TCollection& collection) {
    const DepthGuard guard(depth_);
    out_.writeValue(ValueType::Collection);
    for (qsizetype i = 0; i < collection.count(); ++i) {
        const TCollectionItem& item = collection.item(i);
        out_.writeListBegin();
        writeProperties(item, item.classInfo().prototype(), {});
        out_.writeListEnd();
    }
    out_.writeListEnd();
}

}  // namespace poremi
