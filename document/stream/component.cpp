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

namespace {
QString nameKey(QStringView name) { return name.toString().toCaseFolded(); }
}  // namespace

void TComponent::setName(const QString& name) {
    if (owner_) {
        if (TComponent* same = owner_->findComponent(name); same && same != this) stream_error::duplicateName(name);
        if (!name_.isEmpty()) owner_->byName_.remove(nameKey(name_));
        if (!name.isEmpty()) owner_->byName_.insert(nameKey(name), this);
    }
    name_ = name;
}

TComponent* TComponent::findComponent(QStringView name) const {
    return name.isEmpty() ? nullptr : byName_.value(nameKey(name));
}

void TComponent::insertComponent(TComponent* component) {
    if (TComponent* same = findComponent(component->name_); same && same != component)
        stream_error::duplicateName(component->name_);
    if (component->owner_) component->owner_->removeComponent(component);
    components_.push_back(component);
    if (!component->name_.isEmpty()) byName_.insert(nameKey(component->name_), component);
    component->owner_ = this;
}

void TComponent::removeComponent(TComponent* component) {
    // From the back: components are mostly freed in reverse order.
    auto found = std::find(components_.rbegin(), components_.rend(), component);
    if (found == components_.rend()) return;
    components_.erase(std::next(found).base());
    if (!component->name_.isEmpty()) byName_.remove(nameKey(component->name_));
    component->owner_ = nullptr;
}

void TComponent::getChildren(const std::function<void(TComponent&)>& yield) const {
    for (TComponent* c : components_) yield(*c);
}

}  // namespace poremi
