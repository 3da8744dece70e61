#include "document/stream/component.h"

#include "document/stream/class_declaration.h"
#include "document/stream/stream_error.h"

#include <algorithm>

namespace poremi {

const TClassInfo& TComponent::staticClassInfo() {
    static const TClassInfo info = describeClass<TComponent, TPersistent>("TComponent", [](auto& c) {
        c.integer("Tag", &TComponent::tag, &TComponent::setTag).defaultValue(0);
    });
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->insertComponent(this);
}

TComponent::~TComponent() {
    while (!components_.empty()) delete components_.back();
    if (owner_) owner_->removeComponent(this);
}

void TComponent::setName(const QString& name) {
    if (name.compare(name_, Qt::CaseInsensitive) != 0 && !name.isEmpty() && owner_) {
        if (owner_->findComponent(name)) stream_error::duplicateName(name);
    }
    name_ = name;
}

TComponent* TComponent::findComponent(QStringView name) const {
    if (name.isEmpty()) return nullptr;
    for (TComponent* c : components_)
        if (name.compare(c->name_, Qt::CaseInsensitive) == 0) return c;
    return nullptr;
}

void TComponent::insertComponent(TComponent* component) {
    if (TComponent* same = findComponent(component->name_); same && same != component)
        stream_error::duplicateName(component->name_);
    if (component->owner_) component->owner_->removeComponent(component);
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::removeComponent(TComponent* component) {
    auto found = std::find(components_.begin(), components_.end(), component);
    if (found == components_.end()) return;
    components_.erase(found);
    component->owner_ = nullptr;
}

void TComponent::getChildren(const std::function<void(TComponent&)>& yield) const {
    for (TComponent* c : components_) yield(*c);
}

}  // namespace poremi
