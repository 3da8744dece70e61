#pragma once
// The custom properties an object defines, collected so the writer, the reader and assign can
// treat them like published ones.

#include "document/stream/persistent.h"

#include <vector>

namespace poremi {

struct CustomProperty {
    QString name;
    bool binary = false;
    bool hasData = false;
    std::function<void(ValueReader&)> read;
    std::function<void(ValueWriter&)> write;
    std::function<void(ByteReader&)> readBinary;
    std::function<void(ByteWriter&)> writeBinary;
};

std::vector<CustomProperty> customPropertiesOf(const TPersistent& instance);

// Writes the property's value (a binary property as one binary value).
void writeCustomValue(const CustomProperty& property, ValueWriter& writer);
void readCustomValue(const CustomProperty& property, ValueReader& reader);

}  // namespace poremi
