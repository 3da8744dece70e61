#pragma once
// The classes a stream may construct by name. Each library registers its persisted classes
// in one function called at start-up; nothing registers itself during static initialisation.

#include "document/stream/class_info.h"

#include <QtCore/QHash>

namespace poremi {

class ClassRegistry {
public:
    static ClassRegistry& instance();

    // Registering a class twice is harmless; another class of the same name is refused.
    void registerClass(const TClassInfo& info);
    const TClassInfo* find(const QString& name) const;  // case-insensitive

private:
    QHash<QString, const TClassInfo*> classes_;  // by lower-case name
};

template <class T>
void RegisterClass() {
    ClassRegistry::instance().registerClass(T::staticClassInfo());
}

}  // namespace poremi
