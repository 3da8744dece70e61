#include "document/stream/class_info.h"

#include "document/stream/persistent.h"

namespace poremi {

TClassInfo::TClassInfo(QString name, const TClassInfo* base, Factory factory, bool isComponent,
                       std::vector<PropertyInfo> ownProperties)
    : name_(std::move(name)), base_(base), factory_(std::move(factory)), isComponent_(isComponent),
      own_(std::move(ownProperties)) {
    if (base_) properties_ = base_->properties_;
    for (const PropertyInfo& property : own_) {
        auto same = std::find_if(properties_.begin(), properties_.end(), [&](const PropertyInfo* p) {
            return p->name.compare(property.name, Qt::CaseInsensitive) == 0;
        });
        if (same != properties_.end())
            *same = &property;
        else
            properties_.push_back(&property);
    }
}

bool TClassInfo::inheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->base_)
        if (c == &other) return true;
    return false;
}

std::unique_ptr<TPersistent> TClassInfo::create() const { return factory_ ? factory_() : nullptr; }

const PropertyInfo* TClassInfo::findProperty(QStringView name) const {
    for (const PropertyInfo* p : properties_)
        if (name.compare(p->name, Qt::CaseInsensitive) == 0) return p;
    return nullptr;
}

const TPersistent* TClassInfo::prototype() const {
    // Kept until the process ends: destroying it after the application object is gone could
    // touch resources already released.
    std::call_once(prototypeOnce_, [this] { prototype_ = create().release(); });
    return prototype_;
}

}  // namespace poremi
