#include "document/stream/custom_properties.h"

#include "document/stream/value_reader.h"
#include "document/stream/value_writer.h"

namespace poremi {
namespace {

class CollectingFiler : public TFiler {
public:
    explicit CollectingFiler(std::vector<CustomProperty>& out) : out_(out) {}

    void defineProperty(const QString& name, const std::function<void(ValueReader&)>& read,
                        const std::function<void(ValueWriter&)>& write, bool hasData) override {
        CustomProperty& p = out_.emplace_back();
        p.name = name;
        p.hasData = hasData;
        p.read = read;
        p.write = write;
    }
    void defineBinaryProperty(const QString& name, const std::function<void(ByteReader&)>& read,
                              const std::function<void(ByteWriter&)>& write, bool hasData) override {
        CustomProperty& p = out_.emplace_back();
        p.name = name;
        p.binary = true;
        p.hasData = hasData;
        p.readBinary = read;
        p.writeBinary = write;
    }

private:
    std::vector<CustomProperty>& out_;
};

}  // namespace

std::vector<CustomProperty> customPropertiesOf(const TPersistent& instance) {
    std::vector<CustomProperty> properties;
    CollectingFiler filer(properties);
    // Defining reads nothing; the definitions only capture the instance for later use.
    const_cast<TPersistent&>(instance).defineProperties(filer);
    return properties;
}

void writeCustomValue(const CustomProperty& property, ValueWriter& writer) {
    if (!property.binary) {
        property.write(writer);
        return;
    }
    ByteWriter data;
    property.writeBinary(data);
    writer.writeBinary(data.bytes());
}

void readCustomValue(const CustomProperty& property, ValueReader& reader) {
    if (!property.binary) {
        property.read(reader);
        return;
    }
    const QByteArray data = reader.readBinary();
    ByteReader bytes(data);
    property.readBinary(bytes);
}

}  // namespace poremi
