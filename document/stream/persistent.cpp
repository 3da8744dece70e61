#include "document/stream/persistent.h"

#include "document/stream/class_declaration.h"
#include "document/stream/custom_properties.h"
#include "document/stream/stream_error.h"
#include "document/stream/value_reader.h"
#include "document/stream/value_writer.h"

namespace poremi {
namespace {

void copyProperty(const PropertyInfo& p, const TPersistent& source, TPersistent& target) {
    switch (p.kind) {
    case PropertyKind::Integer:
    case PropertyKind::Character:
    case PropertyKind::Enumeration:
    case PropertyKind::Set: p.setOrdinal(target, p.getOrdinal(source)); return;
    case PropertyKind::Float: p.setFloat(target, p.getFloat(source)); return;
    case PropertyKind::String: p.setString(target, p.getString(source)); return;
    case PropertyKind::Object: {
        const TPersistent* from = p.getObject(source);
        TPersistent* to = p.getObject(target);
        if (from && to && from != to) to->assign(*from);
        return;
    }
    case PropertyKind::Reference:
    case PropertyKind::Event: return;
    }
}

void copyCustomProperties(const TPersistent& source, TPersistent& target) {
    const std::vector<CustomProperty> targetProperties = customPropertiesOf(target);
    for (const CustomProperty& from : customPropertiesOf(source)) {
        if (!from.hasData) continue;
        for (const CustomProperty& to : targetProperties) {
            if (to.name.compare(from.name, Qt::CaseInsensitive) != 0) continue;
            ValueWriter writer;
            writeCustomValue(from, writer);
            ValueReader reader(writer.data());
            readCustomValue(to, reader);
        }
    }
}

}  // namespace

const TClassInfo& TPersistent::staticClassInfo() {
    static const TClassInfo info(QStringLiteral("TPersistent"), nullptr, {}, false, {});
    return info;
}

void TPersistent::defineProperties(TFiler&) {}

void TPersistent::assign(const TPersistent& source) {
    if (&source == this) return;
    if (!source.inheritsFrom(classInfo())) stream_error::invalidCast();
    for (const PropertyInfo* p : classInfo().properties()) copyProperty(*p, source, *this);
    copyCustomProperties(source, *this);
}

}  // namespace poremi
