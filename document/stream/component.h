#pragma once
// The base of named objects that own other components. A component frees what it owns and
// is the unit a component stream holds: its record, then the records of the children it yields.

#include "document/stream/persistent.h"

#include <QtCore/QHash>
#include <functional>
#include <vector>

namespace poremi {

class TComponent : public TPersistent {
    POREMI_PERSISTENT(TComponent)
public:
    // With an owner, the owner frees this component.
    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;

    TComponent* owner() const { return owner_; }
    const QString& name() const { return name_; }
    // A non-empty name already used by another component of the owner fails.
    void setName(const QString& name);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    // Owned components in the order they were inserted.
    const std::vector<TComponent*>& components() const { return components_; }
    TComponent* findComponent(QStringView name) const;  // case-insensitive
    // Takes ownership (from the previous owner, if any).
    void insertComponent(TComponent* component);
    // Gives up ownership; the caller owns the component afterwards.
    void removeComponent(TComponent* component);

    // The components streamed as children of this one; the default yields every owned one.
    // Children read from a stream are owned by the component whose record holds them.
    virtual void getChildren(const std::function<void(TComponent&)>& yield) const;
    // Called on every component of a stream after the whole stream has been read.
    virtual void loaded() {}

private:
    TComponent* owner_ = nullptr;
    QString name_;
    int tag_ = 0;
    std::vector<TComponent*> components_;
    QHash<QString, TComponent*> byName_;  // owned components with a name, by folded name
};

}  // namespace poremi
