#pragma once
// Writes components as component records: class name, name, the properties that differ from
// their defaults, then the children.

#include "document/stream/value_writer.h"

namespace poremi {

class TCollection;
class TComponent;
class TPersistent;

class ComponentWriter {
public:
    explicit ComponentWriter(ValueWriter& out) : out_(out) {}

    // The signature "TPF0" and the root's record.
    void writeRootComponent(const TComponent& root);

private:
    void writeComponent(const TComponent& component);
    // reference holds the values a fresh object has (floats and strings equal to them are
    // not written); null when there is none.
    void writeProperties(const TPersistent& instance, const TPersistent* reference, const QString& prefix);
    void writeCollection(const TCollection& collection);
    void writeName(const QString& prefix, const QString& name);

    ValueWriter& out_;
    int depth_ = 0;
};

}  // namespace poremi
