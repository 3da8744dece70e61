#pragma once
// Reads a component stream ("TPF0" and one record) into objects of registered classes.

#include "document/stream/value_reader.h"

#include <memory>
#include <vector>

namespace poremi {

class TCollection;
class TCollectionItem;
class TComponent;
class TPersistent;
struct PropertyInfo;

class ComponentReader {
public:
    explicit ComponentReader(QByteArrayView bytes) : in_(bytes) {}

    // With a root, reads the root record's properties and children into it (the class name in
    // the stream is ignored) and returns null; without, creates the stream's root class.
    // A failing read frees every component it created. Several roots written one after the
    // other are read by calling it again; each call owns only what it read.
    std::unique_ptr<TComponent> readRootComponent(TComponent* root);

    // Bytes consumed so far.
    qsizetype position() const { return in_.position(); }

private:
    // A reference to resolve once every component is read. Its instance may lie inside
    // collection items, which a later entry of the same collection frees; the fixup names them
    // so that it is dropped with them.
    struct Fixup {
        TPersistent* instance;
        const PropertyInfo* property;
        QString name;
        std::vector<const TCollectionItem*> enclosingItems;
    };

    TComponent* readComponent(TComponent* owner, TComponent* given);
    TComponent* createComponent(const QString& className, TComponent* owner);
    void readProperty(TPersistent& instance);
    void readPropertyValue(TPersistent& instance, const PropertyInfo& property);
    void readOrdinal(TPersistent& instance, const PropertyInfo& property);
    void readCollection(TCollection& collection);
    void dropFixupsInside(const TCollection& collection);
    void resolveFixups(TComponent& root);

    ValueReader in_;
    std::vector<TComponent*> created_;  // in creation order, the root (when created) first
    std::vector<TComponent*> read_;     // every component read, for the loaded notification
    std::vector<Fixup> fixups_;
    std::vector<const TCollectionItem*> openItems_;  // the items being read, outermost first
};

}  // namespace poremi
