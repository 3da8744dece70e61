#include "objects/text_field_object.h"

#include "document/stream/class_declaration.h"

namespace poremi {

// FieldNo, published by the text, is always written.
const TClassInfo& TLOField::staticClassInfo() {
    static const TClassInfo info = describeClass<TLOField, TLOText>("TLOField");
    return info;
}

}  // namespace poremi
