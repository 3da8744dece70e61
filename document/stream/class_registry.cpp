#include "document/stream/class_registry.h"

#include "base/error.h"
#include "base/format.h"

namespace poremi {

ClassRegistry& ClassRegistry::instance() {
    static ClassRegistry registry;
    return registry;
}

void ClassRegistry::registerClass(const TClassInfo& info) {
    const QString key = info.name().toLower();
    const TClassInfo* known = classes_.value(key);
    if (known == &info) return;
    if (known) throw Exception(format(QStringLiteral("Class %s registered twice"), {info.name()}));
    classes_.insert(key, &info);
}

const TClassInfo* ClassRegistry::find(const QString& name) const { return classes_.value(name.toLower()); }

}  // namespace poremi
